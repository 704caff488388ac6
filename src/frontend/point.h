// The point a script sets with OLAT and OLON, and every form in which a front
// end hands it on: the exchange file of the moving-map hand-off, a GPX 1.1
// waypoint file, a geo: link for map apps, and the text geocachers type.
//
// A point leaves Orbelin only when it is a place on the Earth: both numbers
// finite, the latitude within +-90 and the longitude within +-180 degrees.
// Anything else (a NaN from a construction, a latitude of 123.4) is refused
// by every front end with the same message, and nothing is written, copied
// or opened.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "geodesy/angles.h"
#include "interp/hand_off_point.h"

namespace orbelin {

// What keeps a point from being handed on; "" when it may be. For a point
// never set this is the window's own "Kein Punkt gesetzt"; otherwise a
// sentence in plain English that says which number is wrong and why.
std::string PointRefusal(const HandOffPoint& point);
// Whether lat and lon are a place on the Earth: what PointRefusal checks of
// a point that is set, without its words.
bool PlaceOnEarth(double lat, double lon);

// The rest take a point for which PointRefusal is "".

// The exchange file's text: latitude and longitude, each "%.6f\n".
std::string ExchangeFileText(double lat, double lon);

// "geo:LAT,LON" with six decimals, as the exchange file has them.
std::string GeoUri(double lat, double lon);

// "geo:LAT,LON?q=LAT,LON": the query makes map apps drop a pin at the point
// rather than only centre the map there.
std::string GeoPinUri(double lat, double lon);

// "N 48° 12.345 E 011° 30.500" (UTF-8): hemisphere, whole degrees (two
// digits for the latitude, three for the longitude) and minutes rounded to
// thousandths, carried into the degrees when they round up to 60.
std::string CoordinateText(double lat, double lon);

// An https link to the point on OpenStreetMap's map, with a marker: for a
// phone or a desktop that has no program for geo: links.
std::string OpenStreetMapUri(double lat, double lon);

// One half of a position as the script language writes it: "°N 48 12.345",
// "°W 7 30.000" (UTF-8), to thousandths of a minute, carried as in
// CoordinateText.
std::string LatitudeLiteral(double lat);
std::string LongitudeLiteral(double lon);

// A position as the script language writes it, for the script box:
// "°N 48 12.345, °E 11 30.500" (UTF-8): the hemisphere letter, whole
// degrees and minutes to thousandths (about 2 m), carried as in
// CoordinateText. `accuracy_m` > 0 follows in a brace comment, which runs
// nowhere: "... {±12 m}".
std::string PositionLiteral(double lat, double lon, double accuracy_m = 0);

// The way from one place to another along the geodesic on WGS 84, as CP
// computes it: metres, and the bearing at the start in degrees from north.
// `found` is false where the computation gives no answer (nearly antipodal
// places).
struct Leg {
  double distance = 0;
  double bearing = 0;
  bool found = false;
};
Leg LegBetween(double from_lat, double from_lon, double to_lat, double to_lon);

// A distance as a person walking reads it: "650 m" below a kilometre,
// then "1.24 km", "123.5 km", "1235 km".
std::string LegDistanceText(double metres);

// A bearing in whole degrees and its compass point: "245° (WSW)"; 359.6
// is "0° (N)".
std::string LegBearingText(double degrees);

// "1.24 km, bearing 245° (WSW)", "650 m, bearing 12° (NNE)", for a person
// walking there; "no distance: the places are nearly opposite on the
// Earth" when the leg was not found.
std::string LegText(const Leg& leg);

// Text for a GPX file's elements and attributes: the XML characters
// escaped, control characters (which XML 1.0 has none of) left out.
std::string EscapeXml(std::string_view text);

// A GPX 1.1 file with one waypoint named `name` (UTF-8, escaped here).
std::string GpxWaypoint(double lat, double lon, std::string_view name);

// A point of one script, named after it (UTF-8).
struct NamedPoint {
  std::string name;
  HandOffPoint point;
};

// A GPX 1.1 file of several waypoints, in the order given, and the points
// it leaves out: each refused one as "NAME: " and its PointRefusal. The
// file is "" when no point remains.
struct GpxFile {
  std::string gpx;
  std::vector<std::string> refusals;
};
GpxFile GpxWaypoints(const std::vector<NamedPoint>& points);

// A latitude and a longitude as a cache page writes them, read by the
// scanner's own rule for pasted coordinates: "N 48° 12.345 E 011° 30.500",
// with or without a comma between, in any of the literal's forms (UTF-8).
// The first half must be N or S, the second E or W, and the point a place
// on the Earth. Either the point, or in `why` a sentence that says what is
// wrong.
struct PairReading {
  std::optional<GeoPoint> point;
  std::string why;
};
PairReading ReadCoordinatePair(std::string_view utf8_text);

}  // namespace orbelin
