#include <cmath>
#include <cstring>

#include "session_fixture.h"

namespace orbelin {
namespace {

using Expressions = SessionTest;

double Bits(uint64_t bits) {
  double d;
  std::memcpy(&d, &bits, sizeof d);
  return d;
}

TEST_F(Expressions, ValuesOfExpressionsAndFunctions) {
  struct Case {
    const char* expr;
    double value;
  } cases[] = {
      {"2 ^ 3 ^ 2", 64},  // left-associative
      {"2 * 3 ^ 2", 18},
      {"8 / 2 / 2", 2},
      {"10 - 2 - 3", 5},
      {"1 + 2 * 3", 7},
      {"(1 + 2) * 3", 9},
      {"8 | 3", 2},  // cube root
      {"PI", Bits(0x400921FB54442D1A)},
      {"\xB0N 48 12.345", 48.20575},
      {"\xB0W 7 30", -7.5},
      {"\xB0S 0 30", -0.5},
      {"\xB0"
       "e 10 75",
       11.25},  // minutes are not range checked
      // Pasted as cache pages write it: the same double as the form above.
      {"N 48\xB0 12.345", 48 + 12.345 / 60},
      {"w 7\xB0 30", -7.5},
      {"S 0\xB0 30.000", -0.5},
      {"N 48.20575\xB0", 48.20575},
      {"E 011\xB0 30' 30\"", 11 + (30 + 30.0 / 60) / 60},
      {"COS(PI)", -1},
      {"COS(180)", std::cos(180.0)},
      {"ACOS(1) + ASIN(0) + ATAN(0) + TANH(0) + SIN(0) + TAN(0)", 0},
      {"ATAN2(1, 0)", std::atan2(1.0, 0.0)},
      {"FMOD(7, 3)", 1},
      {"POW(2, 10)", 1024},
      {"SQRT(16) + CEIL(1.2) + FLOOR(1.8) + FABS(0 - 3) + EXP(0)", 4 + 2 + 1 + 3 + 1},
      {"ORD('A')", 65},
      {"ORD('')", 0},
      {"ORD('\xE4')", -28},
      {"1.5 * 4", 6},
  };
  for (const Case& c : cases) {
    Run(std::string("VAR X; X = ") + c.expr + ";");
    EXPECT_EQ(errors_, 0) << c.expr;
    EXPECT_EQ(Value("X"), c.value) << c.expr;
  }
}

TEST_F(Expressions, DivisionByZeroAndDomainErrorsGiveIeeeValues) {
  Run("VAR X, Y, Z; X = 1 / 0; Y = SQRT(0 - 1); Z = (0 - 8) | 3;");
  EXPECT_EQ(errors_, 0);
  EXPECT_TRUE(std::isinf(Value("X")));
  EXPECT_TRUE(std::isnan(Value("Y")));
  EXPECT_TRUE(std::isnan(Value("Z")));
}

TEST_F(Expressions, MissingParenthesesAreReportedAndTheCallStillComputed) {
  Run("VAR X; X = SQRT(4;");
  EXPECT_EQ(Errors(), (std::vector<std::string>{"11@1:18"}));
  EXPECT_EQ(Value("X"), 2);

  Run("VAR X; X = SIN 1;");
  EXPECT_EQ(Errors(), (std::vector<std::string>{"10@1:16"}));
  EXPECT_EQ(Value("X"), std::sin(1.0));
}

TEST_F(Expressions, TooManyNamesStayUndeclared) {
  std::string script = "VAR ";
  for (int i = 0; i < 1000; ++i) script += (i ? ", V" : "V") + std::to_string(i);
  script += "; V995 = 1; V996 = 2; WRITE V995, ' ', V996;";
  // Names 996 and beyond do not fit: using one is reported as unknown.
  EXPECT_EQ(Run(script), "1 2\nLine 1, Col " + std::to_string(script.find("V996 =") + 6) +
                             ": indent name unknown (E111)\n" + "Line 1, Col " +
                             std::to_string(script.rfind("V996") + 5) +
                             ": indent name unknown (E111)\n");
}

TEST_F(Expressions, DeepNestingIsAnErrorNotACrash) {
  std::string deep =
      "VAR X; X = " + std::string(100000, '(') + "1" + std::string(100000, ')') + ";";
  Run(deep);
  ASSERT_EQ(errors_, 1);
  EXPECT_EQ(last_.errors[0].number, 105);

  std::string fine = "VAR X; X = " + std::string(200, '(') + "1" + std::string(200, ')') + ";";
  Run(fine);
  EXPECT_EQ(errors_, 0);
  EXPECT_EQ(Value("X"), 1);
}

}  // namespace
}  // namespace orbelin
