#include "output/coord_writers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

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

}  // namespace
}  // namespace orbelin
