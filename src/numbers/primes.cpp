#include "numbers/primes.h"

#include <algorithm>
#include <numeric>

#include "base/maths.h"

namespace orbelin {

namespace {

// a * b mod m for a, b < m < 2^53: doubling and adding, every sum below
// 2^54, so no product ever needs more than 64 bits.
uint64_t MulMod(uint64_t a, uint64_t b, uint64_t m) {
  uint64_t result = 0;
  a %= m;
  while (b > 0) {
    if (b & 1) {
      result += a;
      if (result >= m) result -= m;
    }
    a += a;
    if (a >= m) a -= m;
    b >>= 1;
  }
  return result;
}

uint64_t PowMod(uint64_t base, uint64_t exponent, uint64_t m) {
  uint64_t result = 1 % m;
  base %= m;
  for (; exponent > 0; exponent >>= 1) {
    if (exponent & 1) result = MulMod(result, base, m);
    base = MulMod(base, base, m);
  }
  return result;
}

constexpr uint64_t kWitnesses[] = {2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37};

// One factor of the composite odd n > 3 (Pollard's rho, Brent's cycle
// finding); each failed start takes the next constant.
uint64_t RhoFactor(uint64_t n) {
  for (uint64_t c = 1;; ++c) {
    auto f = [&](uint64_t x) { return (MulMod(x, x, n) + c) % n; };
    uint64_t x = 2, y = 2, d = 1;
    for (uint64_t power = 1, lam = 0; d == 1;) {
      if (power == lam) {
        x = y;
        power *= 2;
        lam = 0;
      }
      y = f(y);
      ++lam;
      d = std::gcd(x > y ? x - y : y - x, n);
    }
    if (d != n) return d;
  }
}

void Split(uint64_t n, std::vector<uint64_t>* primes) {
  if (n == 1) return;
  if (IsPrime(n)) {
    primes->push_back(n);
    return;
  }
  const uint64_t d = RhoFactor(n);
  Split(d, primes);
  Split(n / d, primes);
}

}  // namespace

bool IsPrime(uint64_t n) {
  if (n < 2) return false;
  for (uint64_t p : kWitnesses) {
    if (n % p == 0) return n == p;
  }
  uint64_t d = n - 1;
  int s = 0;
  for (; (d & 1) == 0; d >>= 1) ++s;
  for (uint64_t a : kWitnesses) {
    uint64_t x = PowMod(a, d, n);
    if (x == 1 || x == n - 1) continue;
    bool composite = true;
    for (int r = 1; r < s && composite; ++r) {
      x = MulMod(x, x, n);
      composite = x != n - 1;
    }
    if (composite) return false;
  }
  return true;
}

std::vector<std::pair<uint64_t, int>> PrimeFactors(uint64_t n) {
  std::vector<uint64_t> primes;
  for (uint64_t p = 2; p < 1000 && p * p <= n; p += (p == 2 ? 1 : 2)) {
    for (; n % p == 0; n /= p) primes.push_back(p);
  }
  Split(n, &primes);
  std::sort(primes.begin(), primes.end());
  std::vector<std::pair<uint64_t, int>> factors;
  for (uint64_t p : primes) {
    if (!factors.empty() && factors.back().first == p) {
      ++factors.back().second;
    } else {
      factors.push_back({p, 1});
    }
  }
  return factors;
}

int64_t NthPrime(int64_t n) {
  if (n == 1) return 2;
  // p_n < n (ln n + ln ln n) for n >= 6 (Rosser's bound); 13 covers n < 6.
  const double x = static_cast<double>(n);
  const int64_t bound =
      n < 6 ? 13 : static_cast<int64_t>(x * (maths::log(x) + maths::log(maths::log(x)))) + 1;
  // Odd numbers only: index i stands for 2i + 1. Small primes sieve each
  // segment of the odd numbers from 3 up.
  const int64_t root = static_cast<int64_t>(maths::sqrt(static_cast<double>(bound))) + 1;
  std::vector<int64_t> small;
  {
    std::vector<char> composite(static_cast<size_t>(root + 1), 0);
    for (int64_t p = 3; p <= root; p += 2) {
      if (composite[static_cast<size_t>(p)]) continue;
      small.push_back(p);
      for (int64_t q = p * p; q <= root; q += 2 * p) composite[static_cast<size_t>(q)] = 1;
    }
  }
  constexpr int64_t kSegment = 1 << 15;  // odd numbers per segment
  std::vector<char> composite(kSegment);
  int64_t count = 1;  // the prime 2
  for (int64_t low = 3; low <= bound; low += 2 * kSegment) {
    std::fill(composite.begin(), composite.end(), 0);
    const int64_t high = std::min(bound, low + 2 * kSegment - 1);
    for (int64_t p : small) {
      if (p * p > high) break;
      int64_t start = std::max(p * p, (low + p - 1) / p * p);
      if (start % 2 == 0) start += p;
      for (int64_t q = start; q <= high; q += 2 * p) {
        composite[static_cast<size_t>((q - low) / 2)] = 1;
      }
    }
    for (int64_t v = low; v <= high; v += 2) {
      if (!composite[static_cast<size_t>((v - low) / 2)] && ++count == n) return v;
    }
  }
  return -1;  // the bound guarantees this is never reached
}

}  // namespace orbelin
