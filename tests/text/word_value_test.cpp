#include "text/word_value.h"

#include <gtest/gtest.h>

namespace orbelin {
namespace {

// Expected values added up by hand, letter by letter.
TEST(WordValueTest, LettersByTheirPlaceEitherWayRound) {
  struct Case {
    const char* text;
    double az, za;
  } cases[] = {
      {"Hallo", 48, 87},    // 8 1 12 12 15; 19 26 15 15 12
      {"abc XYZ", 81, 81},  // case does not matter, the blank adds 0
      {"", 0, 0},           //
      {"Gr\xFC\xDF"
       "e",
       94, 95},                                // Grüße counts as GRUESSE
      {"\xC4\xD6\xDC\xE4\xF6\xFC", 104, 220},  // ÄÖÜäöü as AE OE UE, twice
      {"Caf\xE9 7!", 10, 71},                  // é, the digit and ! add 0
      {"@[`{", 0, 0},                          // the neighbours of the letters
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(WordValue(c.text, LetterOrder::kAtoZ), c.az);
    EXPECT_EQ(WordValue(c.text, LetterOrder::kZtoA), c.za);
  }
}

TEST(WordValueTest, LettersOfNumbers) {
  struct Case {
    const char* numbers;
    const char* text;   // "" when refused
    const char* error;  // the start of the refusal
  } cases[] = {
      {"8 5 12 12 15", "HELLO", ""},
      {"8,5-12.12  15", "HELLO", ""},
      {"08 05", "HE", ""},  // leading zeros
      {"1/26|2", "A Z B", ""},
      {"", "", ""},
      {"8 27", "", "27 is no letter"},
      {"0", "", "0 is no letter"},
      {"99999999999999999999", "", "99999999999999999999 is no letter"},  // no overflow
      {"8 x", "", "'x' is no number"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.numbers);
    LettersOfNumbers got = LettersOf(c.numbers);
    EXPECT_EQ(got.text, c.text);
    EXPECT_EQ(got.error.substr(0, std::string(c.error).size()), c.error);
    EXPECT_EQ(got.error.empty(), *c.error == '\0');
  }
}

TEST(WordValueTest, NotesNameWhatCountedNothing) {
  // The word value counts umlauts and ß; digits and other accents are named.
  EXPECT_TRUE(UncountedNotices("AZSUM",
                               "Gr\xFC\xDF"
                               "e, 1!")
                  .size() == 1);
  std::vector<TextNotice> n = UncountedNotices("AZSUM", "\xFC 7 \xE9 7");
  ASSERT_EQ(n.size(), 1u);
  EXPECT_EQ(n[0].kind, TextNotice::Kind::kNote);
  EXPECT_EQ(n[0].message, "'7' and '\xE9' count 0 in AZSUM");
  EXPECT_NE(n[0].hint.find("as E for '\xE9'"), std::string::npos) << n[0].hint;
  EXPECT_TRUE(UncountedNotices("AZSUM", "Hallo Welt!").empty());

  // SUMROM and its kin count a digit at its value, so only umlauts and ß,
  // which count 0 there, are noted.
  EXPECT_TRUE(UncountedNotices("SUMROM", "Test 12").empty());
  n = UncountedNotices("SUMROM", "\xC4pfel \xDF");
  ASSERT_EQ(n.size(), 1u);
  EXPECT_EQ(n[0].message, "'\xC4' and '\xDF' count 0 in SUMROM");
  EXPECT_NE(n[0].hint.find("as AE for '\xC4'"), std::string::npos) << n[0].hint;
}

}  // namespace
}  // namespace orbelin
