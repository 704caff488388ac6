#include "text/ciphers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace orbelin {
namespace {

bool AllLettersOrUnchanged(const std::string& in, const std::string& out) {
  if (in.size() != out.size()) return false;
  for (size_t i = 0; i < in.size(); ++i) {
    bool letter = (out[i] >= 'A' && out[i] <= 'Z') || (out[i] >= 'a' && out[i] <= 'z');
    if (!letter && out[i] != in[i]) return false;
  }
  return true;
}

TEST(RotTest, ShiftsWithinEachCase) {
  struct Case {
    const char* text;
    double shift;
    const char* expected;
  } cases[] = {
      {"Hallo, Welt!", 13, "Unyyb, Jryg!"},
      {"xyz", 3, "abc"},
      {"XYZ", 3, "ABC"},
      {"A", 0, "A"},
      {"A", 27, "B"},       // n and n + 26 agree
      {"abc", 1.5, "bcd"},  // the shift is cut to a whole number
      {"z", 13, "m"},       // past z and back, with no 8-bit overflow on the way
      {"Z9 \xE4\xDF", 5, "E9 \xE4\xDF"},
      {"abc", 1e12, "opq"},  // 1e12 = 14 mod 26
      {"abc", std::numeric_limits<double>::quiet_NaN(), "abc"},
      {"abc", std::numeric_limits<double>::infinity(), "abc"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.text << " : " << c.shift);
    EXPECT_EQ(Rot(c.text, c.shift), c.expected);
  }
}

TEST(VigenereTest, KeyGoesOnAcrossCalls) {
  KeyStore key;
  key.Set("KEY");
  EXPECT_EQ(VigenereEncipher(key, "Hallo"), "Rejvs");
  EXPECT_EQ(VigenereEncipher(key, "Hallo"), "Fkpjy");  // goes on with Y
  key.Set("KEY");                                      // only setting the key again starts at K
  EXPECT_EQ(VigenereEncipher(key, "Hallo Welt"), "Rejvs Uopr");
  EXPECT_EQ(key.position(), 0u);  // nine letters, the blank used no key letter
}

TEST(VigenereTest, DecipherUndoesEncipher) {
  KeyStore key;
  key.Set("KEY");
  EXPECT_EQ(VigenereDecipher(key, "Rejvs Uopr"), "Hallo Welt");
  key.Set("lemon");  // small key letters count as capitals
  EXPECT_EQ(VigenereEncipher(key, "ATTACKATDAWN"), "LXFOPVEFRNHR");
  key.Set("LEMON");
  EXPECT_EQ(VigenereDecipher(key, "LXFOPVEFRNHR"), "ATTACKATDAWN");
}

TEST(VigenereTest, OddKeysStayInsideTheLetters) {
  KeyStore key;
  key.Set("");  // an empty key leaves the text as it is
  EXPECT_EQ(VigenereEncipher(key, "Hallo"), "Hallo");
  EXPECT_EQ(VigenereDecipher(key, "Hallo"), "Hallo");

  // Digits, blanks and 8-bit bytes in the key shift by (code - 65) mod 26.
  const std::string text = "The quick brown fox jumps over the lazy dog";
  key.Set("1 \xE4?");
  std::string secret = VigenereEncipher(key, text);
  EXPECT_TRUE(AllLettersOrUnchanged(text, secret)) << secret;
  EXPECT_EQ(secret.substr(0, 4), "Dap ");  // '1' shifts by 10, ' ' by 19, 0xE4 by 11
  key.Set("1 \xE4?");
  EXPECT_EQ(VigenereDecipher(key, secret), text);
}

TEST(VigenereTest, KeyStoreKeepsToItsCapacity) {
  KeyStore key;
  key.Set(std::string(300, 'B'));
  EXPECT_EQ(key.length(), 255u);
  key.Set(std::string("AB\0CD", 5));  // a NUL ends the key
  EXPECT_EQ(key.length(), 2u);
  EXPECT_EQ(key.at(2), '\0');
  EXPECT_EQ(key.at(100), '\0');  // no leftovers of the longer key
}

TEST(SubtractTest, RunningKey) {
  KeyStore key;
  key.Set("A");
  EXPECT_EQ(SubtractKey(key, "ABC"), "ZAB");
  key.Set("AB");
  EXPECT_EQ(SubtractKey(key, "?C"), "?A");  // the ? uses up A
  key.Set("ABCD");
  EXPECT_EQ(SubtractKey(key,
                        "\xDF"
                        "e"),
            "\xDF"
            "b");  // ß uses up A and B; e - C is b
  key.Set("b");
  EXPECT_EQ(SubtractKey(key, "Cc 1!"), "Aa 1!");  // others use no key letter
  EXPECT_EQ(key.position(), 0u);
}

TEST(SubtractTest, OddKeysStayInsideTheLetters) {
  KeyStore key;
  EXPECT_EQ(SubtractKey(key, "ab?\xDF"), "ab?\xDF");  // before any key was set
  const std::string text = "Quiz Xylophon";
  key.Set("9~\xFF");
  std::string out = SubtractKey(key, text);
  EXPECT_TRUE(AllLettersOrUnchanged(text, out)) << out;
}

TEST(AlphabetTest, KeyedAlphabetBothWays) {
  KeyStore alphabet;
  alphabet.Set("QWERTZUIOPASDFGHJKLYXCVBNM");
  EXPECT_EQ(AlphabetEncipher(alphabet, "Abc"), "Qwe");
  EXPECT_EQ(AlphabetDecipher(alphabet, "Qwe"), "Abc");
  EXPECT_EQ(AlphabetEncipher(alphabet, "Zz 9\xE4"), "Mm 9\xE4");
  const std::string all = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
  EXPECT_EQ(AlphabetDecipher(alphabet, AlphabetEncipher(alphabet, all)), all);
}

TEST(AlphabetTest, OnlyCapitalsInTheAlphabetCount) {
  KeyStore alphabet;
  alphabet.Set("QWE");  // short: places beyond it leave the letter as it is
  EXPECT_EQ(AlphabetEncipher(alphabet, "abcdz"), "qwedz");
  EXPECT_EQ(AlphabetDecipher(alphabet, "QwZ"), "AbZ");  // Z is nowhere in it

  alphabet.Set(
      "qW3"
      "\xC4");  // small letters, digits and 8-bit bytes never count
  EXPECT_EQ(AlphabetEncipher(alphabet, "abcd"), "awcd");
  EXPECT_EQ(AlphabetDecipher(alphabet, "qwQ"), "qbQ");

  alphabet.Set("AABCDEFGHIJKLMNOPQRSTUVWXYZ");  // A twice: the last place wins
  EXPECT_EQ(AlphabetDecipher(alphabet, "a"), "b");

  KeyStore empty;
  EXPECT_EQ(AlphabetEncipher(empty, "Hallo"), "Hallo");
  EXPECT_EQ(AlphabetDecipher(empty, "Hallo"), "Hallo");
}

}  // namespace
}  // namespace orbelin
