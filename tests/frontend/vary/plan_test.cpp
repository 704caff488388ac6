#include "frontend/vary/plan.h"

#include <gtest/gtest.h>

namespace orbelin {
namespace {

ValueSet Set(const char* text) {
  return *ReadValueSet(text).set;
}

const char kScript[] = "VAR A, B, LAT, LON;\r\nLAT = 48 + A / 60;\r\nLON = 11 + B / 60;\r\n";

TEST(VaryPlan, TheScriptsVariablesAndTheOrderOfCombinations) {
  EXPECT_EQ(DeclaredVariables(kScript), (std::vector<std::string>{"A", "B", "LAT", "LON"}));
  EXPECT_EQ(DeclaredVariables("WRITE 1;"), std::vector<std::string>{});

  VaryRequest request{kScript, {Set("a=1,2"), Set("B=0..2"), Set("GM1=5")}, {"lat"}, {}, {}, {}};
  const VaryPlanning planning = PlanVary(request);
  ASSERT_TRUE(planning.plan) << planning.errors.front();
  const VaryPlan& plan = *planning.plan;
  EXPECT_EQ(plan.combinations(), 6u);
  EXPECT_EQ(plan.show(), std::vector<std::string>{"LAT"});
  // The last set changes fastest, as in nested loops.
  std::vector<double> values;
  std::vector<std::string> all;
  for (uint64_t c = 0; c < plan.combinations(); ++c) {
    plan.Values(c, &values);
    all.push_back(CombinationText(plan.sets(), values));
  }
  EXPECT_EQ(all, (std::vector<std::string>{"A=1 B=0 GM1=5", "A=1 B=1 GM1=5", "A=1 B=2 GM1=5",
                                           "A=2 B=0 GM1=5", "A=2 B=1 GM1=5", "A=2 B=2 GM1=5"}));
}

TEST(VaryPlan, EveryMistakeIsSaidBeforeAnythingRuns) {
  struct Case {
    std::string source;
    VaryRequest request;
    std::vector<std::string> errors;
  };
  VaryFilter within;
  within.within = 100;
  VaryFilter where;
  where.where.push_back(*ReadCondition("Z=1").condition);
  const Case cases[] = {
      {kScript,
       {kScript, {Set("C=0..9")}, {}, {}, {}, {}},
       {"There is no variable C to give values to: the script's VAR line declares A, B, LAT, "
        "LON."}},
      {"WRITE 1;",
       {"WRITE 1;", {Set("A=0..9")}, {}, {}, {}, {}},
       {"There is no variable A to give values to: the script has no VAR line."}},
      {kScript,
       {kScript, {Set("sin=1")}, {}, {}, {}, {}},
       {"There is no variable sin to give values to: SIN is a keyword of the language."}},
      {kScript,
       {kScript, {Set("A=1"), Set("a=2")}, {}, {}, {}, {}},
       {"The variable a is given values twice."}},
      {kScript,
       {kScript, {}, {}, {}, {}, {}},
       {"No values to try: name a variable of the script and its values."}},
      {kScript,
       {kScript, {Set("A=1")}, {"CHK"}, where, {}, {}},
       {"There is no variable Z for the condition Z=1: the script's VAR line declares A, B, LAT, "
        "LON.",
        "There is no variable CHK to show: the script's VAR line declares A, B, LAT, LON."}},
      {kScript,
       {kScript, {Set("A=1")}, {}, within, {}, {}},
       {"A distance to stay within needs a point to measure it from."}},
      {kScript,
       {kScript, {Set("A=0..9999"), Set("B=0..9999")}, {}, {}, {}, {}},
       {"The values give 100,000,000 combinations (10,000 \xC3\x97 10,000); at most 10,000,000 "
        "can be tried: give fewer values."}},
  };
  for (const Case& c : cases) {
    const VaryPlanning planning = PlanVary(c.request);
    EXPECT_FALSE(planning.plan);
    EXPECT_EQ(planning.errors, c.errors);
  }

  // A command line of hundreds of --set options is answered in a few lines.
  std::string thirty = "VAR V1";
  for (int i = 2; i <= 30; ++i) thirty += ", V" + std::to_string(i);
  thirty += ";";
  VaryRequest many{thirty, {}, {}, {}, {}, {}};
  for (int i = 1; i <= 30; ++i)
    many.sets.push_back(Set(("V" + std::to_string(i) + "=0,1").c_str()));
  EXPECT_EQ(PlanVary(many).errors,
            std::vector<std::string>{
                "The values give 1,073,741,824 combinations (2 \xC3\x97 2 \xC3\x97 2 \xC3\x97 2 "
                "\xC3\x97 2 \xC3\x97 2 \xC3\x97 \xE2\x80\xA6, 30 sets of values); at most "
                "10,000,000 can be tried: give fewer values."});
  VaryRequest unknown{"VAR A;", {}, {}, {}, {}, {}};
  for (int i = 1; i <= 900; ++i)
    unknown.sets.push_back(Set(("Q" + std::to_string(i) + "=0,1").c_str()));
  const std::vector<std::string> errors = PlanVary(unknown).errors;
  ASSERT_EQ(errors.size(), 6u);
  EXPECT_EQ(errors[0],
            "There is no variable Q1 to give values to: the script's VAR line declares A.");
  EXPECT_EQ(errors[5], "And 896 more mistakes in the options.");
  // Exactly the most there may be.
  EXPECT_TRUE(PlanVary({kScript, {Set("A=0..9999"), Set("B=0..999")}, {}, {}, {}, {}}).plan);
}

}  // namespace
}  // namespace orbelin
