#include "interp/diagnostics.h"

#include "base/text_sink.h"
#include "session_fixture.h"

namespace orbelin {
namespace {

using Diagnostic = SessionTest;

// The "expected" texts are made from the terminal table; numbers without a
// text of their own are a compiler error.
TEST(Messages, ExpectedTextsAreMadeFromTheTerminals) {
  struct Case {
    int number;
    std::string text;
  } cases[] = {
      {4, "\"VAR\" expected"}, {6, "\";\" expected"},      {25, "\":\" expected"},
      {53, "\"|\" expected"},  {56, "\"\xB0N\" expected"}, {96, "\"SUMEYR\" expected"},
      {999, "Compiler error"}, {-1, "Compiler error"},
  };
  for (const Case& c : cases) {
    StringSink out;
    WriteMessage(out, c.number);
    EXPECT_EQ(out.text(), c.text + " (E" + std::to_string(c.number) + ")");
  }
}

TEST_F(Diagnostic, TheDistanceCarriesIntoTheNextRun) {
  Run("WRITE 1");  // error at the very last token
  EXPECT_EQ(Errors(), (std::vector<std::string>{"6@1:8"}));
  Run("7;");  // its error is among the first two tokens: dropped
  EXPECT_EQ(errors_, 0);
  Run("WRITE (;");
  EXPECT_EQ(Errors(), (std::vector<std::string>{"105@1:8"}));
}

// A refused input's detail belongs to its own record: a report dropped by
// the distance rule gives its detail to nobody.
TEST(Refusal, TheDetailGoesWithTheRecordItMade) {
  Diagnostics d;
  SourceLocation at{3, 5, 20};
  Token before{};
  d.BeginRun(&at, &before);
  d.Report(130, "not a grid square");
  d.Report(131, "dropped: too close to the last error");
  d.TokenDelivered();
  d.TokenDelivered();
  d.Report(132);
  d.EndRun();
  ASSERT_EQ(d.records().size(), 2u);
  EXPECT_EQ(d.records()[0].number, 130);
  EXPECT_EQ(d.records()[0].detail, "not a grid square");
  EXPECT_EQ(d.records()[1].number, 132);
  EXPECT_EQ(d.records()[1].detail, "");
}

}  // namespace
}  // namespace orbelin
