#include "frontend/vary/runner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "frontend/vary/output.h"

namespace orbelin {
namespace {

ValueSet Set(const char* text) {
  return *ReadValueSet(text).set;
}

VaryPlan Plan(const std::string& source, std::vector<ValueSet> sets,
              std::vector<std::string> show = {}, VaryFilter filter = {}) {
  VaryPlanning planning =
      PlanVary({source, std::move(sets), std::move(show), std::move(filter), {}, {}});
  EXPECT_TRUE(planning.plan) << (planning.errors.empty() ? "" : planning.errors.front());
  return std::move(*planning.plan);
}

VaryOutcome Search(const VaryPlan& plan, int workers = 1) {
  VaryControl control;
  control.workers = workers;
  return RunVary(plan, control);
}

// Every combination runs in a session of its own: what one run leaves in a
// session (GM1, a cipher key, MARGIN) never reaches
// the next, on one thread or several.
TEST(VaryRunner, EachCombinationStartsInAFreshSession) {
  // In one session the second run would find the key and MARGIN of the
  // first: "KEYK" and a line cut at 4 columns; and GM1 would grow.
  const std::string script =
      "VAR A, G;\r\n"
      "WRITE VIGE('AAAA aaaa bbbb cccc');\r\n"
      "VIGI('KEY');\r\n"
      "MARGIN = 4;\r\n"
      "G = GM1;\r\n"
      "GM1 = GM1 + A + 1;\r\n";
  for (int workers : {1, 2}) {
    const VaryOutcome out = Search(Plan(script, {Set("A=0..599")}, {"G", "GM1"}), workers);
    ASSERT_EQ(out.kept.size(), 600u);
    for (const KeptRun& run : out.kept) {
      EXPECT_EQ(run.first_line, "AAAA aaaa bbbb cccc") << run.combination;
      EXPECT_EQ(run.shown[0], 0.0) << run.combination;  // GM1 at start
      EXPECT_EQ(run.shown[1], static_cast<double>(run.combination) + 1) << run.combination;
    }
  }
}

// An error that no tried value can change is in every combination: the
// search stops at once (on one thread or several) instead of trying a
// million runs that all fail. An error the values cause does not stop it.
TEST(VaryRunner, AnErrorEveryCombinationHasStopsTheSearch) {
  const std::string fixed = "VAR A, B, X, Y, Z; LIN3(0,0,0,0, 0,0,0,0, 0,0,0,0, X, Y, Z); WRITE A;";
  const std::string grammar = "VAR A, B; WRITE A +;";
  for (const std::string& script : {fixed, grammar}) {
    for (int workers : {1, 3}) {
      const VaryOutcome out = Search(Plan(script, {Set("A=0..999"), Set("B=0..999")}), workers);
      EXPECT_TRUE(out.fixed_error) << script;
      EXPECT_TRUE(out.stopped);
      EXPECT_LT(out.counts.tried, 10'000u);
      EXPECT_EQ(out.counts.with_errors, out.counts.tried);
      EXPECT_NE(VarySummary(Plan(script, {Set("A=0..999"), Set("B=0..999")}), out, 0)
                    .find("an error that no value tried can change"),
                std::string::npos);
    }
  }
  // Unsolvable for A = 0 only.
  const VaryOutcome out =
      Search(Plan("VAR A, X, Y, Z; LIN3(A,0,0,1, 0,1,0,1, 0,0,1,1, X, Y, Z);", {Set("A=0..99")}));
  EXPECT_FALSE(out.fixed_error);
  EXPECT_EQ(out.counts.tried, 100u);
  EXPECT_EQ(out.counts.with_errors, 1u);
}

// A point nearly opposite the reference has no distance the geodesic
// finds: it is dropped as of unknown distance, not called far away.
TEST(VaryRunner, ADistanceThatCannotBeComputedIsUnknownNotFar) {
  VaryFilter filter;
  filter.near = GeoPoint{0, 0};
  filter.within = 30'000'000;  // beyond any distance on the Earth
  const VaryPlan plan = Plan("VAR A; OLAT = 0.5; OLON = A;", {Set("A=10,179.7")}, {}, filter);
  const VaryOutcome out = Search(plan);
  EXPECT_EQ(out.counts.kept, 1u);
  EXPECT_EQ(out.counts.too_far, 0u);
  EXPECT_EQ(out.counts.distance_unknown, 1u);
  const std::string summary = VarySummary(plan, out, 1);
  EXPECT_TRUE(summary.ends_with(
      "Dropped: 1 with the distance unknown (nearly opposite the reference point).\n"))
      << summary;
}

// A variable tried starts at its value instead of 0; GM1 starts with it too.
TEST(VaryRunner, ValuesReachTheScript) {
  const VaryPlan plan = Plan("VAR A, B; WRITE A * 10 + B + GM2 / 100:2;",
                             {Set("A=1..2"), Set("B=0,5"), Set("GM2=7")});
  const VaryOutcome out = Search(plan);
  std::vector<std::string> lines;
  for (const KeptRun& run : out.kept) lines.push_back(run.first_line);
  EXPECT_EQ(lines, (std::vector<std::string>{"10.07", "15.07", "20.07", "25.07"}));
  EXPECT_FALSE(out.stopped);
}

// What happens to each run: errors and points off the Earth are dropped
// and counted before the conditions; a reference point drops runs without
// a point and those too far away; the rest are kept, nearest first.
TEST(VaryRunner, FiltersAndCounts) {
  // A = 0 makes LIN3 singular (an error); A = 4 puts the point at 110
  // degrees north; the point lies B tenths of a minute north of A's.
  const std::string script =
      "VAR A, B, X, Y, Z, LAT, LON;\r\n"
      "LIN3(A, 0, 0, 1, 0, 1, 0, 1, 0, 0, 1, 1, X, Y, Z);\r\n"
      "LAT = 30 * A - 10 + B / 600;\r\n"
      "LON = 11;\r\n"
      "OLAT = LAT; OLON = LON;\r\n";
  VaryFilter filter;
  filter.where.push_back(*ReadCondition("B=0..7").condition);
  filter.near = GeoPoint{50.005, 11};
  filter.within = 31000;  // a third of a degree of latitude
  const VaryOutcome out = Search(Plan(script, {Set("A=0..4"), Set("B=0..9")}, {"LAT"}, filter), 2);
  EXPECT_EQ(out.counts.tried, 50u);
  EXPECT_EQ(out.counts.with_errors, 10u);  // A = 0
  EXPECT_EQ(out.counts.off_earth, 10u);    // A = 4: 110 degrees
  EXPECT_EQ(out.counts.failed_where, 6u);  // B = 8, 9 of A = 1..3
  EXPECT_EQ(out.counts.too_far, 16u);      // A = 1 and 3: 30 degrees away
  EXPECT_EQ(out.counts.kept, 8u);          // A = 2, B = 0..7
  ASSERT_EQ(out.kept.size(), 8u);
  // Nearest first: B = 3 lies on the reference; then B = 2 and 4, ...
  std::vector<double> b;
  for (const KeptRun& run : out.kept) {
    EXPECT_TRUE(run.has_point);
    EXPECT_NEAR(run.distance, std::fabs(run.lat - 50.005) * 111200, 5);
    b.push_back(std::round((run.lat - 50) * 600));
  }
  EXPECT_EQ(b, (std::vector<double>{3, 2, 4, 1, 5, 0, 6, 7}));
  for (size_t i = 1; i < out.kept.size(); ++i) {
    EXPECT_LE(out.kept[i - 1].distance, out.kept[i].distance);
  }

  // Without a reference a run that sets no point is kept; with one it is
  // dropped and counted.
  filter = {};
  EXPECT_EQ(Search(Plan("VAR A; WRITE A;", {Set("A=1..3")}, {}, filter)).counts.kept, 3u);
  filter.near = GeoPoint{48, 11};
  const VaryOutcome none = Search(Plan("VAR A; WRITE A;", {Set("A=1..3")}, {}, filter));
  EXPECT_EQ(none.counts.kept, 0u);
  EXPECT_EQ(none.counts.without_point, 3u);
}

// More kept runs than are listed: the counts cover all; the list holds the
// first ones, or the nearest, exactly as if all had been held. The same on
// several threads as on one.
TEST(VaryRunner, OnlyTheFirstOrNearestAreHeld) {
  const std::string script = "VAR A, B; OLAT = 10; OLON = (A * 100 + B) / 1000;\r\n";
  const std::vector<ValueSet> sets = {Set("A=0..249"), Set("B=0..99")};  // 25,000
  const VaryOutcome first = Search(Plan(script, sets), 2);
  EXPECT_EQ(first.counts.kept, 25'000u);
  ASSERT_EQ(first.kept.size(), kMaxListed);
  for (size_t i = 0; i < first.kept.size(); ++i) ASSERT_EQ(first.kept[i].combination, i);

  VaryFilter filter;
  filter.near = GeoPoint{10, 13.0};  // combination 13,000 lies there
  const VaryPlan plan = Plan(script, sets, {}, filter);
  for (int workers : {1, 2}) {
    const VaryOutcome near = Search(plan, workers);
    EXPECT_EQ(near.counts.kept, 25'000u);
    ASSERT_EQ(near.kept.size(), kMaxListed);
    EXPECT_EQ(near.kept.front().combination, 13'000u);
    // The nearest 10,000 of 0..24,999 around 13,000: 8,001 to 17,999 and
    // one of 8,000 and 18,000, which are as far: the first.
    uint64_t low = UINT64_MAX, high = 0;
    for (const KeptRun& run : near.kept) {
      low = std::min(low, run.combination);
      high = std::max(high, run.combination);
    }
    EXPECT_EQ(low, 8'000u);
    EXPECT_EQ(high, 17'999u);
    for (size_t i = 1; i < near.kept.size(); ++i) {
      ASSERT_LE(near.kept[i - 1].distance, near.kept[i].distance);
    }
  }
}

// The cap counts points, not runs: 200,000 runs at 1,000 points list every
// point, each with its 200 runs; beyond the cap the summary says how many
// runs were left out.
TEST(VaryRunner, TheCapCountsPointsNotRuns) {
  const std::string script = "VAR A, CHK; OLAT = 48; OLON = 11 + A / 1000;\r\n";
  const VaryPlan plan = Plan(script, {Set("A=0..999"), Set("CHK=0..199")});
  for (int workers : {1, 3}) {
    const VaryOutcome out = Search(plan, workers);
    EXPECT_EQ(out.counts.kept, 200'000u);
    ASSERT_EQ(out.kept.size(), 1'000u);
    for (size_t i = 0; i < out.kept.size(); ++i) {
      ASSERT_EQ(out.kept[i].combination, i * 200);  // A = i, CHK = 0
      ASSERT_EQ(out.kept[i].merged.size(), 199u);
      EXPECT_TRUE(std::is_sorted(out.kept[i].merged.begin(), out.kept[i].merged.end()));
      EXPECT_EQ(out.kept[i].merged.back(), i * 200 + 199);
    }
    EXPECT_EQ(MergePoints(out.kept).size(), 1'000u);
    EXPECT_NE(VarySummary(plan, out, 1'000).find("Kept: 200,000 runs, at 1,000 points.\n"),
              std::string::npos)
        << VarySummary(plan, out, 1'000);
  }
  // 12,000 points of 3 runs each: 10,000 points listed, 6,000 runs left out.
  const VaryPlan many =
      Plan("VAR A, B; OLAT = 48; OLON = 11 + A / 1000;\r\n", {Set("A=0..11999"), Set("B=0..2")});
  for (int workers : {1, 2}) {
    const VaryOutcome out = Search(many, workers);
    ASSERT_EQ(out.kept.size(), kMaxListed);
    EXPECT_EQ(out.kept.back().combination, (kMaxListed - 1) * 3);
    EXPECT_NE(VarySummary(many, out, kMaxListed)
                  .find("Kept: 36,000 runs; only the first 10,000 points are listed (30,000 "
                        "runs); 6,000 runs at other points are left out"),
              std::string::npos)
        << VarySummary(many, out, kMaxListed);
  }
}

// Many more workers than cores keep exactly what one worker keeps: the same
// counts and the same list, run for run, with merged runs, distances, shown
// values and first lines. The threads build of the tests runs this under
// ThreadSanitizer, where a race between workers would also show.
TEST(VaryRunner, ManyWorkersKeepExactlyWhatOneKeeps) {
  const std::string script =
      "VAR A, B, C, CHK, X, Y, Z;\r\n"
      "OLAT = 48 + (A * 100 + B * 10 + C) / 60000;\r\n"
      "OLON = 11 + C / 6000;\r\n"
      "CHK = A + B + C;\r\n"
      "WRITE CHK, ' ', A;\r\n"
      "LIN3(A - 7, 0, 0, 1, 0, 1, 0, 1, 0, 0, 1, 1, X, Y, Z);\r\n";  // fails for A = 7
  VaryFilter filter;
  filter.where.push_back(*ReadCondition("CHK=3..20").condition);
  filter.near = GeoPoint{48.005, 11.005};
  filter.within = 2500.0;
  const VaryPlan plan =
      Plan(script, {Set("A=0..39"), Set("B=0..19"), Set("C=0..49")}, {"CHK"}, std::move(filter));
  const VaryOutcome one = Search(plan, 1);
  ASSERT_GT(one.counts.kept, 1'000u);
  ASSERT_GT(one.counts.with_errors, 0u);
  ASSERT_GT(one.counts.failed_where, 0u);
  ASSERT_GT(one.counts.too_far, 0u);
  ASSERT_TRUE(std::any_of(one.kept.begin(), one.kept.end(),
                          [](const KeptRun& run) { return !run.merged.empty(); }));
  const VaryOutcome many = Search(plan, 9);
  EXPECT_EQ(many.counts.tried, one.counts.tried);
  EXPECT_EQ(many.counts.kept, one.counts.kept);
  EXPECT_EQ(many.counts.with_errors, one.counts.with_errors);
  EXPECT_EQ(many.counts.failed_where, one.counts.failed_where);
  EXPECT_EQ(many.counts.too_far, one.counts.too_far);
  ASSERT_EQ(many.kept.size(), one.kept.size());
  for (size_t i = 0; i < one.kept.size(); ++i) {
    const KeptRun& a = one.kept[i];
    const KeptRun& b = many.kept[i];
    ASSERT_EQ(b.combination, a.combination) << i;
    EXPECT_EQ(b.merged, a.merged) << i;
    EXPECT_EQ(b.lat, a.lat) << i;
    EXPECT_EQ(b.lon, a.lon) << i;
    EXPECT_EQ(b.distance, a.distance) << i;
    EXPECT_EQ(b.shown, a.shown) << i;
    EXPECT_EQ(b.first_line, a.first_line) << i;
  }
}

TEST(VaryRunner, ProgressIsReportedAndASearchCanBeStopped) {
  const VaryPlan plan = Plan("VAR A; WRITE A;", {Set("A=0..99999")});
  for (int workers : {1, 2}) {
    // Stopped by the progress callback at its first call.
    std::vector<VaryProgress> reports;
    VaryControl control;
    control.workers = workers;
    control.progress = [&](const VaryProgress& p) {
      reports.push_back(p);
      return false;
    };
    VaryOutcome out = RunVary(plan, control);
    if (out.stopped) {  // a fast machine may finish before the first report
      EXPECT_LT(out.counts.tried, 100'000u);
      EXPECT_EQ(out.kept.size(), std::min<size_t>(out.counts.tried, kMaxListed));
    }
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports.back().done, out.counts.tried);  // the last report says where it ended
    EXPECT_EQ(reports.back().total, 100'000u);

    // Stopped from outside before it starts.
    std::atomic<bool> stop{true};
    control.progress = nullptr;
    control.stop = &stop;
    out = RunVary(plan, control);
    EXPECT_TRUE(out.stopped);
    EXPECT_EQ(out.counts.tried, 0u);
    EXPECT_TRUE(out.kept.empty());
  }
  EXPECT_LT((VaryProgress{0, 10, 5.0}).SecondsLeft(), 0);
  EXPECT_EQ((VaryProgress{250, 1000, 2.0}).SecondsLeft(), 6.0);
}

// Each point is told as it is found, once, also when several runs or
// several workers reach it; a kept run without a point is told too. Told
// points are the kept ones, and they come while the search runs.
TEST(VaryRunner, PointsAreToldAsTheyAreFound) {
  // 600 runs at 200 points (B does not move the point); A=0 sets none.
  const VaryPlan plan =
      Plan("VAR A, B; OLAT = 48; OLON = 11 + A / 1000;\r\n", {Set("A=0..199"), Set("B=0..2")});
  const VaryPlan pointless = Plan("VAR A; WRITE A;", {Set("A=1..3")});
  for (int workers : {1, 3}) {
    std::vector<uint64_t> told;
    VaryControl control;
    control.workers = workers;
    control.found = [&](const KeptRun& run) { told.push_back(run.combination); };
    const VaryOutcome out = RunVary(plan, control);
    ASSERT_EQ(out.kept.size(), 200u);
    std::vector<uint64_t> kept;
    for (const KeptRun& run : out.kept) kept.push_back(run.combination);
    if (workers == 1) {
      EXPECT_EQ(told, kept);  // in the order found, the first run of each point
    } else {
      // Another worker may reach a point first with a later run of it.
      ASSERT_EQ(told.size(), 200u);
      std::vector<uint64_t> points;
      for (uint64_t c : told) points.push_back(c / 3);
      std::sort(points.begin(), points.end());
      for (size_t i = 0; i < points.size(); ++i) ASSERT_EQ(points[i], i);
    }

    told.clear();
    EXPECT_EQ(RunVary(pointless, control).kept.size(), 3u);
    std::sort(told.begin(), told.end());
    EXPECT_EQ(told, (std::vector<uint64_t>{0, 1, 2}));
  }
  // With one worker a point is told right after its run: stopping there
  // tries no more.
  std::atomic<bool> stop{false};
  VaryControl control;
  control.stop = &stop;
  control.found = [&](const KeptRun& run) {
    if (run.combination == 30) stop = true;
  };
  EXPECT_EQ(RunVary(plan, control).counts.tried, 31u);
}

// One combination as Calc shows it: the warning of an assignment that
// overrides the value tried, the listing, the point.
TEST(VaryRunner, OneCombinationWithItsDiagnostics) {
  const VaryPlan plan =
      Plan("VAR A, B;\r\nB = 2;\r\nOLAT = A; OLON = B;\r\n", {Set("A=5..6"), Set("B=0..1")});
  const CalcView view = CalcCombination(plan, 3);  // A=6 B=1
  EXPECT_EQ(view.run.point.lat, 6.0);
  EXPECT_EQ(view.run.point.lon, 2.0);  // the assignment wins
  ASSERT_EQ(view.explanations().size(), 1u);
  EXPECT_EQ(view.explanations()[0].line, 2);
  EXPECT_EQ(view.explanations()[0].message, "B is being tried, but the script assigns it here");
  EXPECT_NE(view.run.listing, "");
}

}  // namespace
}  // namespace orbelin
