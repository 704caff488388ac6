// ASCII letters and digits, the only ones the language and the ciphers know.
//
// Codes are taken as they come (a char may be negative for the bytes above
// 127); only a to z are folded, so accented letters and every byte above 127
// stay as they are.
#pragma once

namespace orbelin {

constexpr bool IsAsciiLower(int c) {
  return c >= 'a' && c <= 'z';
}
constexpr bool IsAsciiUpper(int c) {
  return c >= 'A' && c <= 'Z';
}
constexpr bool IsAsciiLetter(int c) {
  return IsAsciiLower(c) || IsAsciiUpper(c);
}
constexpr bool IsAsciiDigit(int c) {
  return c >= '0' && c <= '9';
}

// a to z become A to Z; every other code is returned unchanged.
constexpr int FoldAscii(int c) {
  return IsAsciiLower(c) ? c - 32 : c;
}
constexpr unsigned char FoldAscii(unsigned char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 32) : c;
}
constexpr char FoldAscii(char c) {
  return static_cast<char>(FoldAscii(static_cast<unsigned char>(c)));
}

}  // namespace orbelin
