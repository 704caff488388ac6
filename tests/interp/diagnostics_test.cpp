#include "interp/diagnostics.h"

#include "interp/result_stream.h"
#include "session_fixture.h"

namespace orbelin {
namespace {

using Diagnostic = SessionTest;

TEST(Messages, TextsOfEveryKind) {
  struct Case {
    int number;
    std::string text;
  } cases[] = {
      {0, "EOF expected"},
      {1, "ident expected"},
      {3, "string expected"},
      {4, "\"VAR\" expected"},
      {6, "\";\" expected"},
      {25, "\":\" expected"},
      {53, "\"|\" expected"},
      {56, "\"\xB0N\" expected"},
      {96, "\"SUMEYR\" expected"},
      {97, "not expected"},
      {100, "unexpected symbol in Stat"},
      {105, "unexpected symbol in Fact"},
      {107, "unexpected symbol in Koord"},
      {110, "No dopple indent name"},
      {111, "indent name unknown"},
      {112, ""},
      {113, "Gleichung nicht l\xF6sbar"},
      {114,
       "Zu viele R\xE4"
       "der"},
      {115,
       "R\xE4"
       "der und Stellungen muss gleich lang sein"},
      {116, "Der Stecker muss eine gerade Anzahl haben"},
      {117,
       "R\xE4"
       "der muss im Bereich A..V liegen"},
      {118, "Stellung muss im Bereich A..Z liegen"},
      {119, "Preset muss im Bereich A..Z liegen"},
      {120, "Compiler error"},
      {-1, "Compiler error"},
  };
  for (const Case& c : cases) {
    ResultStream out;
    out.OpenMemory();
    WriteMessage(out, c.number);
    EXPECT_EQ(out.Close(), c.text + " (E" + std::to_string(c.number) + ")");
  }
}

TEST_F(Diagnostic, WhereEachKindIsReported) {
  struct Case {
    const char* script;
    std::vector<std::string> errors;
  } cases[] = {
      {"", {"101@1:1"}},  // the missing ";" after it is dropped
      {"7;", {"101@1:1"}},
      {"VAR X; X = -5;", {"105@1:12"}},
      {"WRITE 'A', MORSE('SOS');", {"100@1:12"}},
      {"VAR GM1;", {"110@1:8"}},
      {"WRITE 'A' 'B';", {"6@1:11"}},
      {"VAR SIN;", {"1@1:5"}},  // the script then ends at SIN
      {"VAR A, B; GK2GPS(1, 2, A + 1, B);", {"5@1:26"}},
      {"WRITE ENIGMAINFO;", {"6@1:7"}},
      {"WRITE 1\r\nWRITE 2;\r\nWRITE 3\r\n", {"6@2:1", "6@4:1"}},
      {"VAR X; X = 1 +;", {"105@1:15"}},
      {"VAR X; X = \xB0N 48;", {"2@1:17"}},
      {"X == 2; WRITE 1;", {"111@1:3"}},  // a misspelt keyword is a name
  };
  for (const Case& c : cases) {
    Fresh();  // the error distance would carry over from the case before
    Run(c.script);
    EXPECT_EQ(Errors(), c.errors) << c.script;
  }
}

TEST_F(Diagnostic, ErrorsCloserThanTwoTokensAreDropped) {
  // A factor missing and then the ")" right after it: one report.
  Run("WRITE (;");
  EXPECT_EQ(Errors(), (std::vector<std::string>{"105@1:8"}));
  // Two tokens in between: both reported.
  Run("VAR X; X = 1 + ; WRITE (1;");
  EXPECT_EQ(Errors(), (std::vector<std::string>{"105@1:16", "11@1:26"}));
}

TEST_F(Diagnostic, TheDistanceCarriesIntoTheNextRun) {
  Run("WRITE 1");  // error at the very last token
  EXPECT_EQ(Errors(), (std::vector<std::string>{"6@1:8"}));
  Run("7;");  // its error is among the first two tokens: dropped
  EXPECT_EQ(errors_, 0);
  Run("WRITE (;");
  EXPECT_EQ(Errors(), (std::vector<std::string>{"105@1:8"}));
}

TEST_F(Diagnostic, ErrorLinesFollowTheResults) {
  EXPECT_EQ(Run("WRITE 'a';\nWRITE 1 +;\nWRITE 'b';"),
            "a\n1\nb\nLine 2, Col 10: unexpected symbol in Fact (E105)\n");
}

TEST_F(Diagnostic, ALibraryErrorStandsAfterTheClosingParenthesis) {
  Run("VAR X, Y, Z; LIN3(1, 2, 3, 0, 2, 4, 6, 0, 1, 1, 1, 0, X, Y, Z) ;");
  EXPECT_EQ(Errors(), (std::vector<std::string>{"113@1:64"}));
}

}  // namespace
}  // namespace orbelin
