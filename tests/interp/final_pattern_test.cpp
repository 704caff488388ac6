// The formula final as written: what a pattern with given values reads as,
// what goes wrong and how FINAL2GPS and FINALQSUM run it in a script. The
// expected points are the written minutes turned into degrees by hand
// (degrees + minutes / 60), not Orbelin's own output.
#include "interp/final_pattern.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>

#include "interp/compiled_script.h"
#include "interp/errors.h"
#include "session_fixture.h"

namespace orbelin {
namespace {

using Values = std::map<std::string, double>;

FinalPoint Evaluate(const std::string& text, const Values& values) {
  const FinalPatternReading r = ReadFinalPattern(text);
  if (!r.pattern) {
    FinalPoint p;
    p.error = r.error;
    p.why = r.why;
    return p;
  }
  return EvaluateFinal(*r.pattern, [&values](const std::string& name) {
    const auto at = values.find(name);
    return at == values.end() ? std::nullopt : std::optional<double>(at->second);
  });
}

const Values kStages = {{"A", 2}, {"B", 3}, {"C", 4}, {"D", 7},
                        {"E", 5}, {"F", 5}, {"G", 0}, {"H", 9}};

TEST(FinalPattern, ReadsWhatCachePagesWrite) {
  struct Case {
    const char* pattern;
    const char* written;
    double lat, lon;
    int digit_sum;
  };
  const Case cases[] = {
      {"N 48\xB0 1A.BCD E 011\xB0 3E.FGH", "N 48\xB0 12.347 E 011\xB0 35.509", 48 + 12.347 / 60,
       11 + 35.509 / 60, 53},
      // Brackets write their value's digits, one or more.
      {"N 50\xB0 (A+B)2.(C*2)D5 E 008\xB0 4(E-1).FG0", "N 50\xB0 52.875 E 008\xB0 44.500",
       50 + 52.875 / 60, 8 + 44.5 / 60, 53},
      {"N 50\xB0 1(A*B).(H*H)1 E 008\xB0 0(A ^ 3).0", "N 50\xB0 16.811 E 008\xB0 08.0",
       50 + 16.811 / 60, 8 + 8.0 / 60, 38},
      // No degree sign, no spaces around it, small letters, a comma, S and W.
      {"s48 1a.bcd, w011\xB0"
       "3e.fgh",
       "S 48\xB0 12.347 W 011\xB0 35.509", -(48 + 12.347 / 60), -(11 + 35.509 / 60), 53},
      {"N 90\xB0 00.000 E 180\xB0 00.000", "N 90\xB0 00.000 E 180\xB0 00.000", 90, 180, 18},
  };
  for (const Case& c : cases) {
    const FinalPoint p = Evaluate(c.pattern, kStages);
    ASSERT_TRUE(p.ok) << c.pattern << ": " << p.why;
    EXPECT_EQ(p.written, c.written);
    EXPECT_EQ(p.lat, c.lat) << c.pattern;
    EXPECT_EQ(p.lon, c.lon) << c.pattern;
    EXPECT_EQ(p.digit_sum, c.digit_sum) << c.pattern;
  }
}

TEST(FinalPattern, NamesInOrderOfFirstUse) {
  const FinalPatternReading r = ReadFinalPattern("N 50\xB0 (A+B)2.(CHK*2)D5 E 008\xB0 4(A-1).BE0");
  ASSERT_TRUE(r.pattern) << r.why;
  EXPECT_EQ(r.pattern->names(), (std::vector<std::string>{"A", "B", "CHK", "D", "E"}));
  // Up to a mistake, for a dialog that offers them while the user types.
  EXPECT_EQ(ReadFinalPattern("N 48\xB0 1A.BC").names, (std::vector<std::string>{"A", "B", "C"}));
}

TEST(FinalPattern, MistakesOfFormAndOfValues) {
  struct Case {
    const char* pattern;
    Values values;
    int error;
    const char* says;  // a part of the sentence
  };
  const Case cases[] = {
      {"48\xB0 1A.BCD E 011\xB0 3E.FGH", kStages, kErrNotFinalPattern, "start with N or S"},
      {"N 48\xB0 1A.BCD 011\xB0 3E.FGH", kStages, kErrNotFinalPattern, "start with E or W"},
      {"N 48\xB0 1A.BCD E 011\xB0 3E.FGH X", kStages, kErrNotFinalPattern, "left over"},
      {"N 48\xB0 1A.B.CD E 011\xB0 3E.FGH", kStages, kErrNotFinalPattern, "second '.'"},
      {"N 481A.BCD E 011\xB0 3E.FGH", kStages, kErrDegreeSignMissing, "'N 481A'"},
      {"N 48\xB0 1(A+B.CD E 011\xB0 3E.FGH", kStages, kErrBracketNotClosed, "'(A+B'"},
      {"N 48\xB0 1A.BCD E 011\xB0 3E.FG(H*", kStages, kErrBracketNotClosed, "close it"},
      {"N 48\xB0 1A.BCD E 011\xB0 3E.FG(H H)", kStages, kErrNotFinalPattern, "sum"},
      {"N 48\xB0 1X.BCD E 011\xB0 3E.FGH", kStages, kErrPatternNameNotSet, "X"},
      {"N 48\xB0 1A.BCD E 011\xB0 3E.FGH", {{"A", 1}}, kErrPatternNameNotSet, "B"},
      {"N 48\xB0 1A.BCD E 011\xB0 3E.FGH",
       {{"A", 12}, {"B", 3}, {"C", 4}, {"D", 7}},
       kErrLetterNotDigit,
       "A is 12"},
      {"N 48\xB0 1A.BCD E 011\xB0 3E.FGH", {{"A", 0.5}}, kErrLetterNotDigit, "A is 0.5"},
      {"N 48\xB0 1A.BCD E 011\xB0 3(A-E).FGH", kStages, kErrBracketNotWhole, "(A-E) gives -3"},
      {"N 48\xB0 1A.BCD E 011\xB0 3(A/4).FGH", kStages, kErrBracketNotWhole, "gives 0.5"},
      {"N 48\xB0 1A.BCD E 011\xB0 3(A/0).FGH", kStages, kErrBracketNotWhole, "gives inf"},
      {"N 48\xB0 6A.BCD E 011\xB0 3E.FGH", kStages, kErrPatternMinutes, "62.347"},
      {"N 50\xB0 1(A*B*C).(H*H)1 E 008\xB0 0(A ^ 3).0", kStages, kErrPatternMinutes, "124.811"},
      {"N 9A\xB0 1A.BCD E 011\xB0 3E.FGH", kStages, kErrPatternDegrees, "beyond 90"},
      {"N 90\xB0 00.001 E 011\xB0 3E.FGH", kStages, kErrPatternDegrees, "beyond 90"},
      {"N 48\xB0 1A.BCD E 18E\xB0 3E.FGH", kStages, kErrPatternDegrees, "beyond 180"},
  };
  for (const Case& c : cases) {
    const FinalPoint p = Evaluate(c.pattern, c.values);
    EXPECT_FALSE(p.ok) << c.pattern;
    EXPECT_EQ(p.error, c.error) << c.pattern << ": " << p.why;
    EXPECT_NE(p.why.find(c.says), std::string::npos) << c.pattern << ": " << p.why;
  }
}

using FinalStatement = SessionTest;

// The statement continues the script from the final; a bad final is the
// call's error with both coordinates NaN, as the other *2GPS calls do.
TEST_F(FinalStatement, Final2GpsAndFinalqsumInAScript) {
  EXPECT_EQ(Run("VAR A, E, H, LAT, LON;\r\nA = 4; E = 0; H = 0;\r\n"
                "FINAL2GPS('N 48\xB0 1A.347 E 011\xB0 3E.50H', LAT, LON);\r\n"
                "WRITE WGC(LAT, LON), ' ', FINALQSUM('N 48\xB0 1A.347 E 011\xB0 3E.50H');\r\n"
                "E = 12;\r\nFINAL2GPS('N 48\xB0 1A.347 E 011\xB0 3E.50H', LAT, LON);\r\n"),
            "N 48\xB0 14.347 E 011\xB0 30.500 41\n"
            "Line 6, Col 50: letter not one digit (E184)\n");
  EXPECT_TRUE(std::isnan(Value("LAT")));
  EXPECT_TRUE(std::isnan(Value("LON")));
}

// The pattern reads the variables tried by name: its error is one of the
// values (a search goes on past it), and its result is never kept from one
// run to the next.
TEST(FinalCompiled, ValuesTriedReachThePattern) {
  CompiledScript script(
      "VAR E, LAT, LON, S;\r\nFINAL2GPS('N 48\xB0 10.000 E 011\xB0 3(E-1).000', LAT, LON);\r\n"
      "S = FINALQSUM('N 48\xB0 10.000 E 011\xB0 3(E-1).000');\r\n",
      {"E"});
  ASSERT_TRUE(script.compiled());
  const double zero = 0, two = 2, three = 3;
  EXPECT_FALSE(script.Run({&zero, 1}).clean());
  EXPECT_FALSE(script.fixed_error());
  EXPECT_TRUE(script.Run({&two, 1}).clean());
  EXPECT_EQ(script.variables().Get(script.variables().Find("S")), 4 + 8 + 1 + 1 + 1 + 3 + 1);
  EXPECT_TRUE(script.Run({&three, 1}).clean());
  EXPECT_EQ(script.variables().Get(script.variables().Find("S")), 4 + 8 + 1 + 1 + 1 + 3 + 2);
  EXPECT_EQ(script.variables().Get(script.variables().Find("LON")), 11 + 32.0 / 60);
}

}  // namespace
}  // namespace orbelin
