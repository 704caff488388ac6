#include "frontend/point.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace orbelin {
namespace {

TEST(Point, OnlyAPlaceOnTheEarthIsHandedOn) {
  const double nan = std::nan("");
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    HandOffPoint point;
    const char* refusal;
  } cases[] = {
      {{48.2, 11.5, true}, ""},
      {{-90, 180, true}, ""},
      {{90, -180, true}, ""},
      {{0, 0, false}, "Kein Punkt gesetzt"},
      {{nan, 11.5, true},
       "The point set with OLAT and OLON is not a place on the Earth: the latitude is not a "
       "number (nan). Nothing was handed on."},
      {{123.4, 11.5, true},
       "The point set with OLAT and OLON is not a place on the Earth: the latitude is 123.4, "
       "beyond ±90°. Nothing was handed on."},
      {{-90.000001, 0, true},
       "The point set with OLAT and OLON is not a place on the Earth: the latitude is "
       "-90.000001, beyond ±90°. Nothing was handed on."},
      {{10, 180.5, true},
       "The point set with OLAT and OLON is not a place on the Earth: the longitude is 180.5, "
       "beyond ±180°. Nothing was handed on."},
      {{inf, nan, true},
       "The point set with OLAT and OLON is not a place on the Earth: the latitude is infinite "
       "and the longitude is not a number (nan). Nothing was handed on."},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PointRefusal(c.point), c.refusal) << c.point.lat << " " << c.point.lon;
  }
}

TEST(Point, Forms) {
  EXPECT_EQ(ExchangeFileText(52.5, -13.25), "52.500000\n-13.250000\n");
  EXPECT_EQ(ExchangeFileText(-0.0000004, 179.9999996), "-0.000000\n180.000000\n");
  EXPECT_EQ(GeoUri(48.20575, -11.50833333), "geo:48.205750,-11.508333");
  struct Case {
    double lat, lon;
    const char* text;
  } cases[] = {
      {48.20575, 11.50833333, "N 48° 12.345 E 011° 30.500"},
      {-33.5, -70.25, "S 33° 30.000 W 070° 15.000"},
      // Minutes that round up to 60 carry into the degrees.
      {47.9999999, 8.99999999, "N 48° 00.000 E 009° 00.000"},
      // A value that rounds to zero has no hemisphere of its own.
      {-0.0000001, -0.0000001, "N 00° 00.000 E 000° 00.000"},
  };
  for (const Case& c : cases) EXPECT_EQ(CoordinateText(c.lat, c.lon), c.text);
  const std::string gpx = GpxWaypoint(1.5, 2, "a<b>&\"c\"\x01");
  EXPECT_NE(gpx.find("<wpt lat=\"1.500000\" lon=\"2.000000\">"), std::string::npos);
  EXPECT_NE(gpx.find("<name>a&lt;b&gt;&amp;&quot;c&quot;</name>"), std::string::npos);
}

}  // namespace
}  // namespace orbelin
