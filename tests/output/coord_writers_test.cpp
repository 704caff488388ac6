#include "output/coord_writers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "base/text_sink.h"

namespace orbelin {
namespace {

std::string Written(const std::function<void(TextSink&)>& write) {
  StringSink out;
  write(out);
  return out.Take();
}

TEST(CoordWriters, Formats) {
  struct Case {
    std::function<void(TextSink&)> write;
    std::string text;
  } cases[] = {
      {[](TextSink& o) { WriteLat(o, 52.5); }, "N 52 30.0000"},
      {[](TextSink& o) { WriteLon(o, -13.25); }, "W 13 15.0000"},
      {[](TextSink& o) { WriteGPS(o, 52.5, 13.25); }, "GPS: N 52 30.0000 E 13 15.0000"},
      {[](TextSink& o) { WriteGK(o, 5820000.4, 4580000.6); }, "GK : H 5820000 R 4580001"},
      {[](TextSink& o) { WriteUTM(o, 33, 85, 389000.4, 5820000.2); },
       "UTM: 33U E 389000 N 5820000"},
      {[](TextSink& o) { WriteLat(o, 0); }, "N 0 0.0000"},
      {[](TextSink& o) { WriteLat(o, -0.0); }, "N 0 0.0000"},
      {[](TextSink& o) { WriteLon(o, 0); }, "E 0 0.0000"},
      {[](TextSink& o) { WriteLat(o, -0.5); }, "S 0 30.0000"},
      {[](TextSink& o) { WriteLon(o, 200); }, "E 200 0.0000"},
      {[](TextSink& o) { WriteLat(o, -95); }, "S 95 0.0000"},
      {[](TextSink& o) { WriteLat(o, 52.99999999); }, "N 52 60.0000"},
      {[](TextSink& o) { WriteGK(o, -5, 3); }, "GK : H -5 R 3"},
      {[](TextSink& o) { WriteUTM(o, 33, 85, -10, -20); }, "UTM: 33U W 10 S 20"},
      {[](TextSink& o) { WriteUTM(o, 32.9, 85.7, 1, 2); }, "UTM: 32U E 1 N 2"},
      // Values no int can hold keep their digits instead of wrapping.
      {[](TextSink& o) { WriteLat(o, 1e10); }, "N 10000000000 0.0000"},
      {[](TextSink& o) { WriteUTM(o, -1e12, 85, 1, 2); }, "UTM: -1000000000000U E 1 N 2"},
      {[](TextSink& o) { WriteLat(o, std::nan("")); }, "N nan nan"},
  };
  for (const Case& c : cases) EXPECT_EQ(Written(c.write), c.text);
}

// The forms GPS receivers take: rounded once, carried, padded.
TEST(CoordWriters, GeocacheAndDmsForms) {
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    double lat, lon;
    const char* gc;
    const char* dms;
  } cases[] = {
      {48.20575, 11.50833333, "N 48\xB0 12.345 E 011\xB0 30.500",
       "N 48\xB0 12' 20.7\" E 011\xB0 30' 30.0\""},
      {-33.8568, 151.2153, "S 33\xB0 51.408 E 151\xB0 12.918",
       "S 33\xB0 51' 24.5\" E 151\xB0 12' 55.1\""},
      // Rounding reaches a whole minute, degree: carried, never 60.
      {52.99999999, -7.99999999, "N 53\xB0 00.000 W 008\xB0 00.000",
       "N 53\xB0 00' 00.0\" W 008\xB0 00' 00.0\""},
      {0.0166665, 0.99998, "N 00\xB0 01.000 E 000\xB0 59.999",
       "N 00\xB0 01' 00.0\" E 000\xB0 59' 59.9\""},
      // Half a unit rounds away from zero: 0.0005' is 1/120000 of a degree.
      {0.5 / 60000, 1.5 / 60000, "N 00\xB0 00.001 E 000\xB0 00.002",
       "N 00\xB0 00' 00.0\" E 000\xB0 00' 00.1\""},
      // What rounds to zero has no hemisphere of its own.
      {-0.0000001, -0.0, "N 00\xB0 00.000 E 000\xB0 00.000",
       "N 00\xB0 00' 00.0\" E 000\xB0 00' 00.0\""},
      // No range check, no int conversion: any double is written.
      {123.4, -200, "N 123\xB0 24.000 W 200\xB0 00.000",
       "N 123\xB0 24' 00.0\" W 200\xB0 00' 00.0\""},
      {1e20, -1e300 * 1e10, "N 100000000000000000000\xB0 00.000 W inf\xB0",
       "N 100000000000000000000\xB0 00' 00.0\" W inf\xB0"},
      {std::nan(""), inf, "N nan\xB0 E inf\xB0", "N nan\xB0 E inf\xB0"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GeocacheText(c.lat, c.lon), c.gc) << c.lat << " " << c.lon;
    EXPECT_EQ(DmsText(c.lat, c.lon), c.dms) << c.lat << " " << c.lon;
    EXPECT_EQ(Written([&](TextSink& o) { WriteGC(o, c.lat, c.lon); }), c.gc);
    EXPECT_EQ(Written([&](TextSink& o) { WriteDMS(o, c.lat, c.lon); }), c.dms);
  }
}

}  // namespace
}  // namespace orbelin
