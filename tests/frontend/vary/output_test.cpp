#include "frontend/vary/output.h"

#include <gtest/gtest.h>

#include "frontend/vary/gpx.h"

namespace orbelin {
namespace {

ValueSet Set(const char* text) {
  return *ReadValueSet(text).set;
}

struct Search {
  VaryPlan plan;
  VaryOutcome outcome;
  std::vector<VaryPoint> points;
};

Search Vary(const std::string& source, std::vector<ValueSet> sets,
            std::vector<std::string> show = {}, VaryFilter filter = {}) {
  VaryPlanning planning =
      PlanVary({source, std::move(sets), std::move(show), std::move(filter), {}, {}});
  EXPECT_TRUE(planning.plan) << (planning.errors.empty() ? "" : planning.errors.front());
  Search s{std::move(*planning.plan), {}, {}};
  s.outcome = RunVary(s.plan, {});
  s.points = MergePoints(s.outcome.kept);
  return s;
}

// B changes nothing of the point: the three runs of each A are one point,
// with their values listed together. Points that differ by less than half
// a thousandth of a minute are the same point to a GPS.
TEST(VaryOutput, IdenticalPointsAreMerged) {
  const Search s = Vary("VAR A, B; OLAT = 48 + A / 60 + B / 6000000000; OLON = 11;",
                        {Set("A=0..1"), Set("B=0..2")});
  ASSERT_EQ(s.points.size(), 2u);
  EXPECT_EQ(s.points[0].combinations, (std::vector<uint64_t>{0, 1, 2}));
  // Runs that go on one by one in one variable are written as its range.
  EXPECT_EQ(ValuesText(s.plan, s.points[0], 3), "A=0 B=0..2");
  EXPECT_EQ(ValuesText(s.plan, s.points[1], 1), "A=1 B=0..2");
  const std::string summary = VarySummary(s.plan, s.outcome, s.points.size());
  EXPECT_EQ(summary.substr(summary.find('\n') + 1), "Kept: 6 runs, at 2 points.\n");

  EXPECT_EQ(VaryTable(s.plan, s.points),
            "values      point\n"
            "A=0 B=0..2  N 48\xC2\xB0 00.000 E 011\xC2\xB0 00.000\n"
            "A=1 B=0..2  N 48\xC2\xB0 01.000 E 011\xC2\xB0 00.000\n");

  // Ranges only where the values go on by one, in one variable at a time;
  // "and N more" counts the runs not written.
  const Search mixed = Vary("VAR A, B; OLAT = 48; OLON = 11;", {Set("A=0,1,3"), Set("B=5..6")});
  ASSERT_EQ(mixed.points.size(), 1u);
  EXPECT_EQ(ValuesText(mixed.plan, mixed.points[0], 10), "A=0 B=5..6, A=1 B=5..6, A=3 B=5..6");
  EXPECT_EQ(ValuesText(mixed.plan, mixed.points[0], 1), "A=0 B=5..6 and 4 more");
  const Search halves = Vary("VAR A; OLAT = 48; OLON = 11;", {Set("A=0.5,1.5,2")});
  EXPECT_EQ(ValuesText(halves.plan, halves.points[0], 10), "A=0.5, A=1.5, A=2");

  // Runs without a point are never merged.
  const Search none = Vary("VAR A; WRITE 'A', A;", {Set("A=0..2")});
  EXPECT_EQ(VaryTable(none.plan, none.points),
            "values  point  first line\n"
            "A=0     -      A0\n"
            "A=1     -      A1\n"
            "A=2     -      A2\n");
}

// The table, the CSV file and the GPX file of one search: sorted by the
// distance from the reference, with the shown variable and the first line.
TEST(VaryOutput, TableCsvAndGpx) {
  VaryFilter filter;
  filter.near = GeoPoint{48.2, 11.5};
  filter.within = 2000;
  const Search s = Vary(
      "VAR A, B, CHK;\r\n"
      "OLAT = 48.2 + A / 100; OLON = 11.5;\r\n"
      "CHK = A + B;\r\n"
      "WRITE 'A & B, \"', A, '\" <x> \xE4';\r\n",
      {Set("A=-1..3"), Set("B=0,5")}, {"CHK"}, filter);
  EXPECT_EQ(VaryTable(s.plan, s.points),
            "values              point                       distance  CHK  first line\n"
            "A=0 B=0, A=0 B=5    N 48\xC2\xB0 12.000 E 011\xC2\xB0 30.000  0 m       0    "
            "A & B, \"0\" <x> \xC3\xA4\n"
            "A=-1 B=0, A=-1 B=5  N 48\xC2\xB0 11.400 E 011\xC2\xB0 30.000  1.11 km   -1   "
            "A & B, \"-1\" <x> \xC3\xA4\n"
            "A=1 B=0, A=1 B=5    N 48\xC2\xB0 12.600 E 011\xC2\xB0 30.000  1.11 km   1    "
            "A & B, \"1\" <x> \xC3\xA4\n");
  // South of the reference is a millimetre nearer: degrees of latitude grow
  // towards the pole.
  EXPECT_EQ(VaryCsv(s.plan, s.points),
            "A,B,lat,lon,point,distance_m,CHK,first_line,same_point\r\n"
            "0,0,48.2,11.5,N 48\xC2\xB0 12.000 E 011\xC2\xB0 30.000,0.000,0,"
            "\"A & B, \"\"0\"\" <x> \xC3\xA4\",A=0 B=5\r\n"
            "-1,0,48.190000000000005,11.5,N 48\xC2\xB0 11.400 E 011\xC2\xB0 30.000,1111.941,-1,"
            "\"A & B, \"\"-1\"\" <x> \xC3\xA4\",A=-1 B=5\r\n"
            "1,0,48.21,11.5,N 48\xC2\xB0 12.600 E 011\xC2\xB0 30.000,1111.943,1,"
            "\"A & B, \"\"1\"\" <x> \xC3\xA4\",A=1 B=5\r\n");
  const std::string gpx = VaryGpx(s.plan, s.points);
  EXPECT_TRUE(gpx.starts_with(
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<gpx version=\"1.1\" creator=\"Orbelin\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n"
      "  <wpt lat=\"48.200000\" lon=\"11.500000\">\n"
      "    <name>A=0 B=0</name>\n"
      "    <cmt>A &amp; B, &quot;0&quot; &lt;x&gt; \xC3\xA4</cmt>\n"
      "    <desc>N 48\xC2\xB0 12.000 E 011\xC2\xB0 30.000; 0 m from the reference; CHK=0; also "
      "A=0 B=5</desc>\n"
      "  </wpt>\n"
      "  <wpt lat=\"48.190000\" lon=\"11.500000\">\n"))
      << gpx;
  EXPECT_TRUE(gpx.ends_with("  </wpt>\n</gpx>\n"));
  // With the script's name, each waypoint carries it before the values.
  EXPECT_NE(VaryGpx(s.plan, s.points, "final <2>").find("<name>final &lt;2&gt; A=0 B=0</name>"),
            std::string::npos);
  const std::string summary = VarySummary(s.plan, s.outcome, s.points.size());
  EXPECT_EQ(summary.substr(summary.find('\n') + 1),
            "Kept: 6 runs, at 3 points.\nDropped: 4 beyond 2.00 km.\n");
}

}  // namespace
}  // namespace orbelin
