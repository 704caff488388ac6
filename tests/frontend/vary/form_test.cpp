#include "frontend/vary/form.h"

#include <gtest/gtest.h>

#include "frontend/vary/runner.h"

namespace orbelin {
namespace {

const char kFinal[] =
    "VAR A, E, LAT, LON, CHK;\r\n"
    "LAT = 48 + (10 + A + 0.347) / 60;\r\n"
    "LON = 11 + (30 + E + 0.5) / 60;\r\n"
    "CHK = A + E;\r\n"
    "OLAT = LAT; OLON = LON;\r\n"
    "WRITE 'sum ', CHK;\r\n";

VaryForm Form() {
  VaryForm form;
  form.source = kFinal;
  form.values = {{"A", "0..9"}, {"E", " 0,1 "}, {"LAT", ""}, {"LON", ""}, {"CHK", ""}};
  return form;
}

// The dialog's fields are read as the command line's options are; each
// mistake is a sentence naming its field, and all of them are said at once.
TEST(VaryForm, EachFieldIsReadAndEachMistakeNamed) {
  VaryForm good = Form();
  good.where = "CHK=4;\n CHK=0..9 ";
  good.near = "N 48\xC2\xB0 14.347 E 011\xC2\xB0 30.500";
  good.within = "2km";
  good.show = "CHK, LAT";
  VaryPlanning planning = PlanVaryForm(good);
  ASSERT_TRUE(planning.plan) << planning.errors.front();
  EXPECT_EQ(planning.plan->combinations(), 20u);
  EXPECT_EQ(planning.plan->filter().where.size(), 2u);
  EXPECT_EQ(planning.plan->show(), (std::vector<std::string>{"CHK", "LAT"}));

  VaryForm bad = Form();
  bad.values[0].second = "5..1";
  bad.where = "CHK";
  bad.near = "somewhere";
  bad.within = "far";
  planning = PlanVaryForm(bad);
  ASSERT_FALSE(planning.plan);
  ASSERT_EQ(planning.errors.size(), 4u);
  EXPECT_NE(planning.errors[0].find("'5..1'"), std::string::npos) << planning.errors[0];
  EXPECT_EQ(planning.errors[1].rfind("Keep only: ", 0), 0u) << planning.errors[1];
  EXPECT_EQ(planning.errors[2].rfind("Near: ", 0), 0u) << planning.errors[2];
  EXPECT_EQ(planning.errors[3].rfind("Within: ", 0), 0u) << planning.errors[3];

  struct Case {
    const char* what;
    VaryForm form;
    const char* says;
  } cases[] = {
      {"nothing to try",
       [] {
         auto f = Form();
         for (auto& v : f.values) v.second.clear();
         return f;
       }(),
       "Give values to at least one variable"},
      {"within alone",
       [] {
         auto f = Form();
         f.within = "3km";
         return f;
       }(),
       "fill in Near"},
      {"undeclared show",
       [] {
         auto f = Form();
         f.show = "Q";
         return f;
       }(),
       "Q"},
  };
  for (const Case& c : cases) {
    planning = PlanVaryForm(c.form);
    EXPECT_FALSE(planning.plan) << c.what;
    ASSERT_FALSE(planning.errors.empty()) << c.what;
    EXPECT_NE(planning.errors.front().find(c.says), std::string::npos)
        << c.what << ": " << planning.errors.front();
  }
}

// What a dialog lists: merged points nearest first, in the geocaching form,
// with the distance, the variables asked for, and a GPX file of them all.
TEST(VaryForm, ListsThePointsNearestFirst) {
  VaryForm form = Form();
  form.values = {{"A", "3,4"}, {"E", "0"}};
  form.near = "N 48\xC2\xB0 14.347 E 011\xC2\xB0 30.500";
  form.show = "CHK";
  VaryPlanning planning = PlanVaryForm(form);
  ASSERT_TRUE(planning.plan);
  const VaryListing listing = ListVaryOutcome(*planning.plan, RunVary(*planning.plan, {}));
  ASSERT_EQ(listing.points.size(), 2u);
  EXPECT_EQ(listing.points[0].values, "A=4 E=0");
  EXPECT_EQ(listing.points[0].position, "N 48\xC2\xB0 14.347 E 011\xC2\xB0 30.500");
  EXPECT_EQ(listing.points[0].distance, "0 m");
  EXPECT_EQ(listing.points[0].shown, "CHK=4");
  EXPECT_EQ(listing.points[0].first_line, "sum 4");
  EXPECT_EQ(listing.points[1].values, "A=3 E=0");
  EXPECT_EQ(listing.points[1].position, "N 48\xC2\xB0 13.347 E 011\xC2\xB0 30.500");
  EXPECT_NE(listing.summary.find("2 combinations tried"), std::string::npos) << listing.summary;
  EXPECT_NE(listing.gpx.find("<name>A=4 E=0</name>"), std::string::npos) << listing.gpx;
}

// The final as written runs after the script (here none): its letters the
// script leaves to it try 0..9 when their fields are left empty, and the
// digit sum keeps the finals whose digits add up to it.
TEST(VaryForm, TheFinalAsWrittenWithADigitSum) {
  VaryForm form;
  form.source = std::string("\r\n\0", 3);  // an empty box, as Calc runs it
  form.final_pattern = " N 48\xC2\xB0 1A.347 E 011\xC2\xB0 3E.50H ";
  form.values = {{"A", ""}, {"E", "0..9"}, {"H", ""}};
  form.digit_sum = "41";
  form.near = "N 48\xC2\xB0 14.120 E 011\xC2\xB0 29.870";
  form.within = "2mi";
  VaryPlanning planning = PlanVaryForm(form);
  ASSERT_TRUE(planning.plan) << planning.errors.front();
  EXPECT_EQ(planning.plan->combinations(), 1'000u);
  // The digits 4+8+1+A+3+4+7+0+1+1+3+E+5+0+H are 41 where A+E+H = 4: 15
  // finals; the three within 2 miles are the cookbook's (worked out by hand
  // from the pattern, and as `orbelin vary` lists the cookbook's script).
  const VaryListing listing = ListVaryOutcome(*planning.plan, RunVary(*planning.plan, {}));
  std::vector<std::string> found;
  for (const VaryListedPoint& p : listing.points) found.push_back(p.values + " " + p.position);
  EXPECT_EQ(found, (std::vector<std::string>{
                       "A=4 E=0 H=0 N 48\xC2\xB0 14.347 E 011\xC2\xB0 30.500",
                       "A=3 E=0 H=1 N 48\xC2\xB0 13.347 E 011\xC2\xB0 30.501",
                       "A=3 E=1 H=0 N 48\xC2\xB0 13.347 E 011\xC2\xB0 31.500",
                   }));
  EXPECT_NE(listing.summary.find("12 beyond"), std::string::npos) << listing.summary;

  struct Case {
    const char* pattern;
    const char* sum;
    const char* says;
  } cases[] = {
      {"", "41", "Digit sum: it counts the digits of the final as written"},
      {"N 48\xC2\xB0 1A.347 E 011\xC2\xB0 3E.50H", "forty",
       "Digit sum: 'forty' is no whole number"},
      {"N 48\xC2\xB0 1A.347 E 011\xC2\xB0 3E.50H", "-3", "Digit sum: '-3'"},
      {"N 48\xC2\xB0 1(A.347 E 011\xC2\xB0 3E.50H", "", "The final pattern is not read"},
  };
  for (const Case& c : cases) {
    VaryForm f = form;
    f.final_pattern = c.pattern;
    f.digit_sum = c.sum;
    planning = PlanVaryForm(f);
    EXPECT_FALSE(planning.plan) << c.pattern << " " << c.sum;
    ASSERT_FALSE(planning.errors.empty());
    EXPECT_EQ(planning.errors.front().rfind(c.says, 0), 0u) << planning.errors.front();
  }
}

// A final as written in the dialog: its letters are the variables to try
// beside the script's (a letter the script computes needs no field), the
// script in the box runs first, and the digit sum keeps the finals whose
// digits add up. 45 of the 1,000 combinations have digits adding up to 41,
// as a Python brute force counts them:
//   sum(sum(map(int, f"481{a}3{b}70113{c}500")) == 41
//       for a, b, c in itertools.product(range(10), repeat=3))
TEST(VaryForm, FinalAsWrittenWithItsDigitSum) {
  EXPECT_EQ(
      FormVariables("VAR C, x;\r\nC = 1;\r\n", "N 48\xC2\xB0 1A.3B7 E 011\xC2\xB0 3c.(X+1)00"),
      (std::vector<std::string>{"C", "X", "A", "B"}));

  VaryForm form;
  form.values = {{"A", "0..9"}, {"B", "0..9"}, {"K", "0..9"}};
  form.final_pattern = " N 48\xC2\xB0 1A.3B7 E 011\xC2\xB0 3C.500 ";
  form.digit_sum = "41";
  form.source = "VAR C, K;\r\nC = K;\r\n";
  form.source += '\0';  // the box's script as Calc runs it, its closing NUL too
  VaryPlanning planning = PlanVaryForm(form);
  ASSERT_TRUE(planning.plan) << planning.errors.front();
  const VaryListing listing = ListVaryOutcome(*planning.plan, RunVary(*planning.plan, {}));
  ASSERT_EQ(listing.points.size(), 45u) << listing.summary;
  EXPECT_EQ(listing.points[0].values, "A=0 B=0 K=8");
  EXPECT_EQ(listing.points[0].position, "N 48\xC2\xB0 10.307 E 011\xC2\xB0 38.500");

  // A letter of the final with no field at all is a digit like the others.
  VaryForm no_field = form;
  no_field.final_pattern = "N 48\xC2\xB0 1A.3B7 E 011\xC2\xB0 3Z.500";
  no_field.digit_sum.clear();
  planning = PlanVaryForm(no_field);
  ASSERT_TRUE(planning.plan) << planning.errors.front();
  EXPECT_EQ(planning.plan->combinations(), 10'000u);  // A, B, K and Z

  struct Case {
    const char* what;
    std::string final_pattern, digit_sum, says;
  } cases[] = {
      {"a sum without a final", "", "41",
       "Digit sum: it counts the digits of the final as written"},
      {"a sum that is no number", "N 48\xC2\xB0 1A.3B7 E 011\xC2\xB0 3C.500", "-4",
       "Digit sum: '-4' is no whole number"},
  };
  for (const Case& c : cases) {
    VaryForm bad = form;
    bad.final_pattern = c.final_pattern;
    bad.digit_sum = c.digit_sum;
    planning = PlanVaryForm(bad);
    ASSERT_FALSE(planning.plan) << c.what;
    EXPECT_EQ(planning.errors.front().rfind(c.says, 0), 0u)
        << c.what << ": " << planning.errors.front();
  }
}

}  // namespace
}  // namespace orbelin
