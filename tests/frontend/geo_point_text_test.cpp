#include "frontend/geo_point_text.h"

#include <gtest/gtest.h>

namespace orbelin {
namespace {

// The form of cache pages is read as a script reads a pasted coordinate:
// the same forms, the same value as the script's literal.
TEST(GeoPointText, TheFormsOfCachePagesAndDecimalDegrees) {
  struct Case {
    const char* text;
    double lat, lon;
  } cases[] = {
      {"N 48\xC2\xB0 12.345 E 011\xC2\xB0 30.500", 48 + 12.345 / 60, 11 + 30.5 / 60},
      {"n48\xC2\xB0"
       "12.345 e11\xC2\xB0"
       "30.5",
       48 + 12.345 / 60, 11 + 30.5 / 60},
      {"N 48\xC2\xB0 12.345, E 011\xC2\xB0 30.500", 48 + 12.345 / 60, 11 + 30.5 / 60},
      {"S 33\xC2\xB0 51.000 W 070\xC2\xB0 40.000", -(33 + 51.0 / 60), -(70 + 40.0 / 60)},
      {"N 48.2058\xC2\xB0 E 11.5083\xC2\xB0", 48.2058, 11.5083},
      // Degree signs left out, as typed in a shell.
      {"N 48 14.120 E 011 29.870", 48 + 14.120 / 60, 11 + 29.870 / 60},
      {"N 48\xC2\xB0 14.120 e 11 29.87", 48 + 14.120 / 60, 11 + 29.870 / 60},
      {"S 33 51, W 70.5", -(33 + 51.0 / 60), -70.5},
      {"48.2058 11.5083", 48.2058, 11.5083},
      {"-33.85, 151.2", -33.85, 151.2},
  };
  for (const Case& c : cases) {
    const GeoPointReading r = ReadGeoPoint(c.text);
    ASSERT_TRUE(r.point) << c.text << ": " << r.error;
    EXPECT_EQ(r.point->lat, c.lat) << c.text;
    EXPECT_EQ(r.point->lon, c.lon) << c.text;
  }
}

TEST(GeoPointText, WhatIsNoPointSaysWhy) {
  struct Case {
    const char* text;
    const char* says;  // a part of the sentence after "is no point: "
  } cases[] = {
      // The half that is wrong is named, with or without degree signs.
      {"N 91 0 E 0", "the latitude is 91, beyond"},
      {"N 91\xC2\xB0 0 E 0", "the latitude is 91, beyond"},
      {"N 48 12.345 E 011 61", "60"},
      {"N 48\xC2\xB0 61.000 E 011\xC2\xB0 30.000", "60"},
      {"N 95\xC2\xB0 00.000 E 011\xC2\xB0 30.000", "the latitude is 95, beyond"},
      {"N 48\xC2\xB0 12.345", "longitude is missing"},
      {"E 011\xC2\xB0 30.000 N 48\xC2\xB0 12.345", "the latitude starts with E"},
      {"N 48\xC2\xB0 12.345 E 011\xC2\xB0 30.000 7", "after the pair"},
      {"91 11", "the latitude is beyond"},
      {"48.2 11.5 3", ""},
      {"hello", "the latitude is missing"},
      {"", ""},
  };
  for (const Case& c : cases) {
    const GeoPointReading r = ReadGeoPoint(c.text);
    EXPECT_FALSE(r.point) << c.text;
    EXPECT_EQ(r.error.rfind("'" + std::string(c.text) + "' is no point: ", 0), 0u) << r.error;
    EXPECT_NE(r.error.find(c.says), std::string::npos) << c.text << ": " << r.error;
    EXPECT_NE(r.error.find("12.345"), std::string::npos) << "says how to write it: " << r.error;
  }
}

}  // namespace
}  // namespace orbelin
