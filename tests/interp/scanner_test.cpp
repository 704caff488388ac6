#include "interp/scanner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "interp/library_call.h"
#include "interp/terminals.h"

namespace orbelin {
namespace {

// The terminals of a text up to and including EOF.
std::vector<int> Terminals(const std::string& text) {
  Diagnostics diagnostics;
  Scanner sc(text, diagnostics);
  std::vector<int> out;
  do {
    sc.NextToken();
    out.push_back(sc.lookahead());
  } while (sc.lookahead() != kEof && out.size() < 100);
  return out;
}

TEST(Scanner, Terminals) {
  struct Case {
    std::string text;
    std::vector<int> terminals;
  } cases[] = {
      {"WRITE write WrItE", {kWrite, kWrite, kWrite, kEof}},
      {"abc ABC a1", {kIdent, kIdent, kIdent, kEof}},
      {"5.", {kNoSym, kEof}},
      {".5", {kNoSym, kNumber, kEof}},
      {"1e5", {kNumber, kIdent, kEof}},
      {"5-3", {kNumber, kMinus, kNumber, kEof}},
      {"5--3\r\n7", {kNumber, kNumber, kEof}},
      {"5--3\n7", {kNumber, kNumber, kEof}},  // a line feed ends the comment too
      {"5--3", {kNumber, kEof}},
      {"(5)", {kLParen, kNumber, kRParen, kEof}},
      {"(*x*)5", {kNumber, kEof}},
      {"(**)5 (*a**)6", {kNumber, kNumber, kEof}},
      {"(* never closed", {kEof}},
      {"{x}5{", {kNumber, kEof}},
      {"->-", {kArrow, kMinus, kEof}},
      {"a\tb", {kIdent, kNoSym, kIdent, kEof}},
      {"'a\tb'", {kNoSym, kNoSym, kIdent, kNoSym, kEof}},  // a tab ends the string
      {"'It''s'", {kString, kString, kEof}},
      {"'open", {kNoSym, kEof}},
      {"'two\nlines'", {kNoSym, kIdent, kNoSym, kEof}},
      {"\xB0N \xB0n \xB0"
       "E \xB0W \xB0S",
       {kDegN, kDegN, kDegE, kDegW, kDegS, kEof}},
      {"\xB0X", {kNoSym, kIdent, kEof}},
      {", ; ( ) : = + * / ^ |",
       {kComma, kSemicolon, kLParen, kRParen, kColon, kEquals, kPlus, kStar, kSlash, kCaret, kBar,
        kEof}},
      {"# ~ [", {kNoSym, kNoSym, kNoSym, kEof}},
      {std::string("WRITE\0WRITE", 11), {kWrite, kEof}},  // NUL ends the text
      {"KREUZPEILUNG ENIGMAWHEELS sumeyr pi PIE",
       {kKreuzpeilung, kEnigmaWheels, kSumeyr, kPi, kIdent, kEof}},
      {"", {kEof}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Terminals(c.text), c.terminals) << "text: " << c.text;
  }
}

// A coordinate as cache pages write it is one token; before its degree
// sign nothing is decided, so names next to numbers stay as they were.
TEST(Scanner, PastedCoordinates) {
  struct Case {
    std::string text;
    std::vector<int> terminals;
  } cases[] = {
      {"N 48\xB0 12.345 E 011\xB0 30.500", {kPasted, kPasted, kEof}},
      {"n48\xB0"
       "12.345,e11\xB0"
       "30",
       {kPasted, kComma, kPasted, kEof}},
      {"S 48\xB0 12' 20.7\" W 7\xB0 30' 1\"", {kPasted, kPasted, kEof}},
      {"N 48.20575\xB0 E 11.5\xB0", {kPasted, kPasted, kEof}},
      // The minute mark with nothing after it ends the coordinate; a quote
      // after it starts a string as ever.
      {"N 48\xB0 12.345' 'x'", {kPasted, kString, kEof}},
      {"N 48\xB0 12 'x'", {kPasted, kString, kEof}},
      // Near misses before the degree sign: names and numbers as always.
      {"N 48 12.345", {kIdent, kNumber, kNumber, kEof}},
      {"N48 E5 1e5", {kIdent, kIdent, kNumber, kIdent, kEof}},
      {"X 48\xB0 12", {kIdent, kNumber, kNoSym, kNumber, kEof}},
      {"N 48 \xB0N 1 2", {kIdent, kNumber, kDegN, kNumber, kNumber, kEof}},
      {"N 48.\xB0", {kIdent, kNoSym, kNoSym, kEof}},
      {"NE 48\xB0", {kIdent, kNumber, kNoSym, kEof}},
      // Faults after the degree sign: one token that is no terminal.
      {"N 48\xB0 60 ;", {kNoSym, kSemicolon, kEof}},
      {"N 48\xB0 12' 60.0\" ;", {kNoSym, kNoSym, kSemicolon, kEof}},
      {"N 48\xB0 12\xB0 30", {kNoSym, kNumber, kEof}},
      {"N 48\xB0\xB0", {kNoSym, kEof}},
      {"N 48.5\xB0 12", {kNoSym, kEof}},
      {"N 48\xB0 12.5' 20\"", {kNoSym, kNoSym, kEof}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Terminals(c.text), c.terminals) << "text: " << c.text;
  }
}

TEST(Scanner, EveryKeywordIsRecognisedInAnyCase) {
  for (int t = 0; t < kTerminalCount; ++t) {
    std::string text(TerminalText(t));
    if (text.empty() || !(text[0] >= 'A' && text[0] <= 'Z')) continue;
    EXPECT_EQ(KeywordTerminal(text), t) << text;
    std::string lower = text;
    for (char& ch : lower) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    EXPECT_EQ(Terminals(lower).front(), t) << lower;
  }
}

TEST(Scanner, LinesAndColumnsCountTabsAsTheListingExpandsThem) {
  struct Case {
    std::string text;
    int line, column;  // of the first token that is not a tab
  } cases[] = {
      {"X", 1, 1},           {"  X", 1, 3},    {"\r\n\r\nX", 3, 1},
      {"1234567\tX", 1, 17},  // a tab at column 8 moves to column 17
      {"\tX", 1, 9},         {"123\tX", 1, 9}, {"(* a\nb *) X", 2, 6},
  };
  for (const Case& c : cases) {
    Diagnostics diagnostics;
    Scanner sc(c.text, diagnostics);
    do sc.NextToken();
    while (sc.lookahead() == kNoSym || sc.lookahead() == kNumber);
    EXPECT_EQ(sc.lookahead_location()->line, c.line) << c.text;
    EXPECT_EQ(sc.lookahead_location()->column, c.column) << c.text;
  }

  // A tab that is a token stands at the column its expansion ends on.
  Diagnostics diagnostics;
  Scanner sc("123\tX", diagnostics);
  sc.NextToken();
  sc.NextToken();
  EXPECT_EQ(sc.lookahead(), kNoSym);
  EXPECT_EQ(sc.lookahead_location()->column, 8);
}

TEST(Scanner, LiteralValues) {
  Diagnostics diagnostics;
  std::string text =
      "12.5 123456789012345678901 'abc' 'x' '' \x27" + std::string(300, 'y') + "\x27";
  Scanner sc(text, diagnostics);
  sc.NextToken();
  sc.NextToken();
  EXPECT_EQ(sc.NumberValue(), 12.5);
  sc.NextToken();
  EXPECT_EQ(sc.NumberValue(), 1234567890123456789.0);  // first 19 digits only
  StringArg s;
  sc.NextToken();
  sc.StringValue(&s);
  EXPECT_EQ(s.view(), "abc");
  sc.NextToken();
  sc.StringValue(&s);
  EXPECT_EQ(s.view(), "x");
  sc.NextToken();
  sc.StringValue(&s);
  EXPECT_EQ(s.view(), "");
  sc.NextToken();
  sc.StringValue(&s);
  EXPECT_EQ(s.view(), std::string(253, 'y'));
}

TEST(Scanner, NamesAreFoldedAndCutTo19Bytes) {
  Diagnostics diagnostics;
  Scanner sc("abcdefghijklmnopqrstuvwxyz", diagnostics);
  sc.NextToken();
  sc.NextToken();
  char buffer[Scanner::kNameBytes + 1];
  EXPECT_EQ(sc.NameText(buffer), "ABCDEFGHIJKLMNOPQRS");
}

TEST(Scanner, CountsDeliveredTokensForTheErrorDistance) {
  Diagnostics diagnostics;
  Scanner sc("a b c", diagnostics);
  diagnostics.Report(1);
  EXPECT_EQ(diagnostics.distance(), 0);
  sc.NextToken();
  EXPECT_EQ(diagnostics.distance(), 1);
  sc.NextToken();
  EXPECT_EQ(diagnostics.distance(), 2);
}

}  // namespace
}  // namespace orbelin
