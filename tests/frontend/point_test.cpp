#include "frontend/point.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "frontend/calc.h"
#include "interp/session.h"

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

TEST(Point, MapLinks) {
  // geo: with a query, so map apps drop a pin; OpenStreetMap's marker
  // (mlat, mlon) and its map centred there, for phones without geo:.
  EXPECT_EQ(GeoPinUri(48.20575, -11.50833333), "geo:48.205750,-11.508333?q=48.205750,-11.508333");
  EXPECT_EQ(OpenStreetMapUri(48.20575, -11.50833333),
            "https://www.openstreetmap.org/?mlat=48.205750&mlon=-11.508333#map=18/48.205750/"
            "-11.508333");
}

// The literal is typed into a script: it must read back as the place it
// names, to the thousandth of a minute it is written with.
TEST(Point, PositionLiteralReadsBackAsThePlace) {
  struct Case {
    double lat, lon, accuracy;
    const char* literal;
    const char* gps;  // what WGPS writes for the literal
  } cases[] = {
      {48.20575, 11.508333333, 11.2, "°N 48 12.345, °E 11 30.500 {±12 m}",
       "GPS: N 48 12.3450 E 11 30.5000"},
      {-33.5, -70.25, 0, "°S 33 30.000, °W 70 15.000", "GPS: S 33 30.0000 W 70 15.0000"},
      // Minutes that round up to 60 carry into the degrees; below ten
      // minutes no leading zero is needed.
      {47.9999999, 8.99999999, 4, "°N 48 0.000, °E 9 0.000 {±4 m}", "GPS: N 48 0.0000 E 9 0.0000"},
      {0.05, -0.0000001, std::nan(""), "°N 0 3.000, °E 0 0.000", "GPS: N 0 3.0000 E 0 0.0000"},
  };
  for (const Case& c : cases) {
    const std::string literal = PositionLiteral(c.lat, c.lon, c.accuracy);
    EXPECT_EQ(literal, c.literal);
    Session session;
    const CalcView view = CalcBox(session, "WRITE WGPS(" + literal + ");");
    EXPECT_TRUE(view.run.clean()) << literal;
    EXPECT_EQ(view.ShownText(), std::string(c.gps) + "\n") << literal;
  }
}

TEST(Point, LegFromHereToThePoint) {
  // A hundredth of a degree due north near Munich, and a thousandth along
  // the equator (a thousandth of a degree of the equator's 40075.017 km).
  const Leg north = LegBetween(48.2, 11.5, 48.21, 11.5);
  ASSERT_TRUE(north.found);
  EXPECT_NEAR(north.distance, 1112.0, 1.0);
  EXPECT_EQ(LegText(north), "1.11 km, bearing 0° (N)");
  const Leg east = LegBetween(0, 0, 0, 0.001);
  EXPECT_NEAR(east.distance, 111.319, 0.001);
  EXPECT_EQ(LegText(east), "111 m, bearing 90° (E)");
  EXPECT_EQ(LegText(LegBetween(48.2, 11.5, 48.2, 11.5)), "0 m: you are at the point");
  // Nearly antipodal: the iteration gives no answer, and nothing is made up.
  const Leg far = LegBetween(0, 0, 0.5, 179.7);
  EXPECT_FALSE(far.found);
  EXPECT_EQ(LegText(far), "no distance: the places are nearly opposite on the Earth");
}

TEST(Point, LegTextRoundsAsItShows) {
  struct Case {
    double distance, bearing;
    const char* text;
  } cases[] = {
      {999.4, 11.4, "999 m, bearing 11° (N)"},        {999.5, 11.6, "1.00 km, bearing 12° (NNE)"},
      {99994, 247.5, "99.99 km, bearing 248° (WSW)"}, {99995, 348.7, "100.0 km, bearing 349° (N)"},
      {1234567, 359.6, "1235 km, bearing 0° (N)"},
  };
  for (const Case& c : cases) EXPECT_EQ(LegText({c.distance, c.bearing, true}), c.text);
}

// Several scripts' points in one file; what is no place is left out, said.
TEST(Point, GpxOfSeveralWaypoints) {
  const GpxFile file = GpxWaypoints({{"walk", {48.20575, 11.50833333, true}},
                                     {"bad", {123.4, 0, true}},
                                     {"final", {-33.5, -70.25, true}}});
  EXPECT_EQ(
      file.gpx,
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<gpx version=\"1.1\" creator=\"Orbelin\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n"
      "  <wpt lat=\"48.205750\" lon=\"11.508333\">\n"
      "    <name>walk</name>\n"
      "    <desc>N 48° 12.345 E 011° 30.500</desc>\n"
      "  </wpt>\n"
      "  <wpt lat=\"-33.500000\" lon=\"-70.250000\">\n"
      "    <name>final</name>\n"
      "    <desc>S 33° 30.000 W 070° 15.000</desc>\n"
      "  </wpt>\n"
      "</gpx>\n");
  EXPECT_EQ(file.refusals,
            std::vector<std::string>{"bad: The point set with OLAT and OLON is not a place on the "
                                     "Earth: the latitude is 123.4, beyond ±90°. Nothing was "
                                     "handed on."});
  // One waypoint is the window's file, byte for byte.
  EXPECT_EQ(GpxWaypoints({{"walk", {1.5, 2, true}}}).gpx, GpxWaypoint(1.5, 2, "walk"));
  const GpxFile none = GpxWaypoints({{"bad", {std::nan(""), 0, true}}});
  EXPECT_EQ(none.gpx, "");
  EXPECT_EQ(none.refusals.size(), 1u);
}

TEST(Point, ReadsAPairAsACachePageWritesIt) {
  struct Case {
    const char* text;
    double lat, lon;  // when `why` is ""
    const char* why;
  } cases[] = {
      {"N 48° 12.345 E 011° 30.500", 48 + 12.345 / 60, 11 + 30.5 / 60, ""},
      {"  n48°12.345, e11°30.5 ", 48 + 12.345 / 60, 11 + 30.5 / 60, ""},
      {"S 33° 51' 24.5\" W 070° 15' 00\"", -(33 + (51 + 24.5 / 60) / 60), -(70 + 15.0 / 60), ""},
      {"N 48.5° W 7.25°", 48.5, -7.25, ""},
      {"", 0, 0,
       "the latitude is missing where the text ends: write the pair as a cache page does, N 48° "
       "12.345 E 011° 30.500"},
      {"48.2 11.5", 0, 0,
       "the latitude is missing where \"48.2\" stands: write the pair as a cache page does, N "
       "48° 12.345 E 011° 30.500"},
      {"N 48° 12.345", 0, 0,
       "the longitude is missing where the text ends: write the pair as a cache page does, N 48° "
       "12.345 E 011° 30.500"},
      {"E 011° 30.500 N 48° 12.345", 0, 0, "the latitude starts with E: it takes N or S"},
      {"N 48° 12.345 S 011° 30.500", 0, 0, "the longitude starts with S: it takes E or W"},
      {"N 48° 62.345 E 011° 30.500", 0, 0,
       "the latitude is no coordinate: its minutes must be below 60"},
      {"N 48° 12.345 E 011° 30.500 x", 0, 0,
       "after the pair comes \"x\": give the two coordinates alone"},
      {"N 95° 00.000 E 011° 30.500", 0, 0,
       "the pair is not a place on the Earth: the latitude is 95, beyond ±90°"},
  };
  for (const Case& c : cases) {
    const PairReading r = ReadCoordinatePair(c.text);
    EXPECT_EQ(r.why, c.why) << c.text;
    if (*c.why == '\0') {
      ASSERT_TRUE(r.point.has_value()) << c.text;
      EXPECT_EQ(r.point->lat, c.lat) << c.text;
      EXPECT_EQ(r.point->lon, c.lon) << c.text;
    } else {
      EXPECT_FALSE(r.point.has_value()) << c.text;
    }
  }
}

}  // namespace
}  // namespace orbelin
