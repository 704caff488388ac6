#include "text/morse.h"

#include <gtest/gtest.h>

#include <string>

namespace orbelin {
namespace {

std::string Encode(std::string_view text, bool debug = false) {
  StringSink out;
  MorseEncode(out, text, debug);
  return out.Take();
}

std::string Decode(std::string_view text, bool debug = false) {
  StringSink out;
  MorseDecode(out, text, debug);
  return out.Take();
}

struct Case {
  const char* in;
  const char* out;
};

TEST(MorseTest, EncodeLongestMatchFirst) {
  const Case cases[] = {
      {"SOS", "...---... "},  // one sign, not three letters
      {"Hallo", ".... .- .-.. .-.. --- "},
      {"ARBEIT", ".-.-. -... . .. - "},  // AR is one sign
      {"Schach", "... ---- .- ---- "},   // CH twice
      {"HHH", "........ .... "},
      {"AB C", ".- -...   -.-. "},  // a blank is the code " " and its separator
      {"\xE4", ""},                 // small accented letters are not folded
      {"\xC4\xDF\xD1", ".-.- ...--.. --.-- "},
      {"sk ka bt ve", "...-.-   -.-.-   -...-   ...-. "},
      {"x\x01y", "-..- -.-- "},  // unknown characters write nothing
      {"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(Encode(c.in), c.out);
  }
}

TEST(MorseTest, DecodeGroupsAndGaps) {
  const Case cases[] = {
      {"... --- ...", "SOS"},
      {".- -...   -.-.", "AB  C"},      // k blanks give k - 1
      {".--.- -...- .-.-.", "\xC0=+"},  // the first row of each shared code
      {".-.-.- ..--..", ".?"},
      {".----.", "'"},  // the apostrophe is only reachable here
      {" .-", "><A"},   // a leading blank: empty group first
      {".- ", "A><"},   // a trailing blank: empty group last
      {"", "><"},
      {"..-.-..", ">..-.-..<"},
      {"-.-.-.-.-.- .-", ">-.-.-.-.-.-<A"},  // more than nine: one group, not found
      {"..........", ">..........<"},
      {"........", "HH"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(Decode(c.in), c.out);
  }
}

// A slash or a bar is a word gap, whatever blanks stand around it; the
// blanks alone keep their reading above.
TEST(MorseTest, DecodeSlashAndBarAsWordGaps) {
  const Case cases[] = {
      {".... .. / - .... . .-. .", "HI THERE"},
      {"....|..", "H I"},
      {".- /  / -...", "A  B"},  // two marks, two blanks
      {"/ .-", " A"},            // no empty group before a leading mark
      {".- /", "A "},            // nor after a trailing one
      {"/", " "},
      {"..-..-./.-", ">..-..-.< A"},
      {"-..-.", "/"},  // the code of the slash itself is still read
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(Decode(c.in), c.out);
  }
  EXPECT_EQ(Decode("... / ---", true), "... / ---\n...S ---O");
}

TEST(MorseTest, DebugForms) {
  EXPECT_EQ(Encode("SOS", true), "SOS...---... ");
  EXPECT_EQ(Encode("ab", true), "A.- B-... ");  // the chunk as looked up
  EXPECT_EQ(Decode("... ---", true), "... ---\n...S---O");
  EXPECT_EQ(Decode(".- xx", true), ".- xx\n.-A>xx<");  // not found: same as without debug
}

TEST(MorseTest, EveryPlainTextRoundTrips) {
  // Encoding is unambiguous; decoding gives the plain text back except where
  // a code is shared, where the first row wins.
  for (int row = 1; row < kMorseRows; ++row) {
    const MorseRow& r = kMorseTable[row];
    SCOPED_TRACE(r.plain);
    EXPECT_EQ(MorseFindPlain(r.plain), row);
    int first = MorseFindCode(r.code);
    ASSERT_GE(first, 0);
    EXPECT_LE(first, row);
    EXPECT_EQ(Decode(r.code), kMorseTable[first].plain);
  }
  EXPECT_EQ(MorseFindCode(".--.-"), 37);  // row 38 of 67: not 39
  EXPECT_EQ(MorseFindCode("-...-"), 56);  // = before BT
  EXPECT_EQ(MorseFindCode(".-.-."), 57);  // + before AR
}

}  // namespace
}  // namespace orbelin
