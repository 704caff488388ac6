// Letter values, digit sums and alphabet sums for puzzle arithmetic.
//
// Characters are taken as signed 8-bit codes: a to z count as their capitals,
// A to Z are 1 to 26, the digits 0 to 9 their value, every other byte 0
// (accented letters included).
#pragma once

#include <string>
#include <string_view>

namespace orbelin {

// 1..26 for a letter of either case, 0..9 for a digit, else 0.
int LetterValue(char c);

// Digit sum of the whole part of x. A negative whole part gives only its
// signed last digit (QSUM(-123) is -3). Beyond the int range a positive value
// sums the decimal digits of trunc(x) and a negative one gives
// fmod(trunc(x), 10); NaN and infinities give 0.
double Qsum(double x);
// Iterated digit sum: QSUM until a single digit is left.
double Qqsum(double x);
// Digit sum of x written as "%d %.4f" from floor(x) and the minutes
// (x - floor(x)) * 60. A floor beyond the int range is written with "%.0f"
// in a buffer large enough for any double; NaN and infinities give 0.
double Kqsum(double x);
// The text whose digits Kqsum adds ("-53 30.0000" for -52.5); "" for NaN and
// infinities.
std::string KqsumText(double x);

// Positional value of the letter values: each character's value plus ten
// times the value so far ('ABC' is 123, 'AZ' is 36).
double Alpha(std::string_view s);

// The orders of the 26 capitals that the nine SUMxxx functions count by.
inline constexpr char kSumRom[] = "ENRISDUTAGHLOBMFZKCWVJPQXY";
inline constexpr char kSumKas[] = "ENIRSAHTUDLCGMWFBOZKPJVQXY";
inline constexpr char kSumJen[] = "ENISRATDUHGLCMWOBFZKVPJQXY";
inline constexpr char kSumMer[] = "ETAOINSHRDLUCMFWYPVBGKQJXZ";
inline constexpr char kSumKah[] = "ETAONIRSHDLUCMPFYWGBVJKQXZ";
inline constexpr char kSumMey[] = "ETAOINSRHLDCUMFPGWYBVKXJQZ";
inline constexpr char kSumKer[] = "ESRIANTOULDMCPVFQGXJBHZYKW";
inline constexpr char kSumDev[] = "EASINTRULODCPMVQFGBHJXYZKW";
inline constexpr char kSumEyr[] = "ETAINROSHDLCFUMGPWBYVKQXJZ";

// Sum of the places (from 1) of the letters of s in the alphabet; a
// character not in it adds its letter value (digits their value).
double AlphabetSum(std::string_view alphabet, std::string_view s);

}  // namespace orbelin
