#include "geocodes/geohash.h"

#include <gtest/gtest.h>

namespace orbelin {
namespace {

// The definition's own examples (geohash.org, and the article that
// introduced it): ezs42 and u4pruydqqvj.
TEST(Geohash, PublishedExamples) {
  EXPECT_EQ(Geohash(42.6, -5.6, 5), "ezs42");
  EXPECT_EQ(Geohash(57.64911, 10.40744, 11), "u4pruydqqvj");
  const CodeReading r = ReadGeohash("ezs42");
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.area.lat(), 42.60498046875);  // exact: the cell is k / 2^m degrees
  EXPECT_EQ(r.area.lon(), -5.60302734375);
  EXPECT_EQ(r.area.north - r.area.south, 180.0 / 4096);
  EXPECT_EQ(r.area.east - r.area.west, 360.0 / 8192);
}

// The corners and edges, by the bits: 180 E is 180 W (all longitude bits 0),
// 90 N sets every latitude bit; a point on an edge is in the cell east and
// north of it.
TEST(Geohash, CornersAndEdges) {
  EXPECT_EQ(Geohash(90, 180, 3), "bpb");
  EXPECT_EQ(Geohash(-90, -180, 2), "00");
  EXPECT_EQ(Geohash(0, 0, 1), "s");
  EXPECT_EQ(Geohash(-1e-9, -1e-9, 1), "7");
  EXPECT_EQ(Geohash(89.99, 179.99, 12), "zzzzz" + Geohash(89.99, 179.99, 12).substr(5));
}

TEST(Geohash, ReadsEitherCaseAndRefusesOtherLetters) {
  EXPECT_EQ(ReadGeohash("U4PRU").area.lat(), ReadGeohash("u4pru").area.lat());
  for (const char* bad : {"", "u4pa", "ezs4i", "l", "o", "u4pruydqqvjqq", "u4 pr"}) {
    const CodeReading r = ReadGeohash(bad);
    EXPECT_FALSE(r.ok) << bad;
    EXPECT_FALSE(r.why.empty()) << bad;
  }
}

}  // namespace
}  // namespace orbelin
