#include "frontend/geo_point_text.h"

#include <gtest/gtest.h>

namespace orbelin {
namespace {

TEST(GeoPointText, TheFormsOfCachePagesAndDecimalDegrees) {
  struct Case {
    const char* text;
    double lat, lon;
  } cases[] = {
      {"N 48\xC2\xB0 12.345 E 011\xC2\xB0 30.500", 48 + 12.345 / 60, 11 + 30.5 / 60},
      {"n48 12.345 e11 30.5", 48 + 12.345 / 60, 11 + 30.5 / 60},
      {"N 48\xC2\xB0 12.345', E 011\xC2\xB0 30.500'", 48 + 12.345 / 60, 11 + 30.5 / 60},
      {"S 33\xC2\xB0 51.000 W 070\xC2\xB0 40.000", -(33 + 51.0 / 60), -(70 + 40.0 / 60)},
      {"N 48.2058 E 11.5083", 48.2058, 11.5083},
      {"48.2058 11.5083", 48.2058, 11.5083},
      {"-33.85, 151.2", -33.85, 151.2},
      {"N 90 0 W 180 0", 90, -180},
  };
  for (const Case& c : cases) {
    const GeoPointReading r = ReadGeoPoint(c.text);
    ASSERT_TRUE(r.point) << c.text << ": " << r.error;
    EXPECT_EQ(r.point->lat, c.lat) << c.text;
    EXPECT_EQ(r.point->lon, c.lon) << c.text;
  }
}

TEST(GeoPointText, WhatIsNoPointSaysWhy) {
  const std::string form =
      "; write it as N 48\xC2\xB0 12.345 E 011\xC2\xB0 30.500, or as 48.2058 11.5083.";
  struct Case {
    const char* text;
    std::string error;
  } cases[] = {
      {"N 48 61.000 E 11 30", "the minutes of the latitude must be at least 0 and below 60"},
      {"N 95 0 E 11 30", "the latitude is beyond 90\xC2\xB0"},
      {"N 48 12.345", "the longitude must start with E or W"},
      {"E 11 30 N 48 12", "the latitude must start with N or S"},
      {"N 48.5 30 E 11 30", "the degrees of the latitude must be whole when minutes follow"},
      {"N -48 12 E 11 30", "the latitude takes its sign from its letter, not a minus"},
      {"N 48 12 E 11 30 7", "there is more after the longitude"},
      {"91 11",
       "the latitude is beyond \xC2\xB1"
       "90\xC2\xB0"},
  };
  for (const Case& c : cases) {
    const GeoPointReading r = ReadGeoPoint(c.text);
    EXPECT_FALSE(r.point) << c.text;
    EXPECT_EQ(r.error, "'" + std::string(c.text) + "' is no point: " + c.error + form) << c.text;
  }
  for (const char* text : {"", "hello", "48.2", "48.2 11.5 3", "N 48 12 E 11 30x"}) {
    const GeoPointReading r = ReadGeoPoint(text);
    EXPECT_FALSE(r.point) << text;
    EXPECT_EQ(r.error, "'" + std::string(text) +
                           "' is no point: write it as N 48\xC2\xB0 12.345 E 011\xC2\xB0 30.500, "
                           "or as 48.2058 11.5083.")
        << text;
  }
}

}  // namespace
}  // namespace orbelin
