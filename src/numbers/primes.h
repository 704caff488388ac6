// Primes for puzzles: the n-th prime, whether a number is prime, and its
// prime factors, for every whole number a double holds exactly (up to
// 2^53).
//
// Notation: MulMod and PowMod work modulo m < 2^53 without a wider type,
// so the same code runs in the native and the WebAssembly build.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace orbelin {

inline constexpr int64_t kLargestNthPrime = 10'000'000;  // the 10,000,000th is 179,424,673

// The n-th prime, 1 <= n <= kLargestNthPrime: 2, 3, 5, 7, 11, ... Found by
// sieving the odd numbers in small segments up to a bound on it, so memory
// stays small and the time grows with n (about a second at the largest).
int64_t NthPrime(int64_t n);

// Whether n is prime, for 0 <= n <= 2^53: a Miller-Rabin test with the
// first twelve primes as bases, which has no exception below 3.3e24.
bool IsPrime(uint64_t n);

// The prime factors of n, 2 <= n <= 2^53, smallest first, each with its
// power. Small factors by trial division, the rest by Pollard's rho.
std::vector<std::pair<uint64_t, int>> PrimeFactors(uint64_t n);

}  // namespace orbelin
