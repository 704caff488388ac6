#include "frontend/point.h"

#include <cstdio>

#include "base/cp1252.h"
#include "base/maths.h"
#include "geodesy/ellipsoid.h"
#include "geodesy/geodesic_inverse.h"
#include "interp/diagnostics.h"
#include "interp/pasted_coordinate.h"
#include "interp/scanner.h"
#include "interp/terminals.h"
#include "output/coord_writers.h"

namespace orbelin {

namespace {

// A value in thousandths of a minute, rounded once, so 59.9996' becomes the
// next degree; the hemisphere is the negative one only for a value that does
// not round to zero. `value` is finite and within +-180.
struct Minutes {
  long long thousandths;
  bool negative;
};
Minutes ToMinutes(double value) {
  const long long thousandths = maths::llround(maths::fabs(value) * 60000.0);
  return {thousandths, value < 0 && thousandths != 0};
}

// One half of a coordinate literal: "°N 48 12.345".
std::string HalfLiteral(double value, char positive, char negative) {
  const Minutes m = ToMinutes(value);
  char text[48];
  std::snprintf(text, sizeof text, "\xC2\xB0%c %lld %lld.%03lld", m.negative ? negative : positive,
                m.thousandths / 60000, m.thousandths % 60000 / 1000, m.thousandths % 1000);
  return text;
}

// "the latitude is 123.4, beyond ±90°"; "" when the value is fine.
std::string WhatIsWrong(const char* what, double value, double limit) {
  char text[160];
  if (maths::isnan(value)) {
    std::snprintf(text, sizeof text, "the %s is not a number (nan)", what);
  } else if (maths::isinf(value)) {
    std::snprintf(text, sizeof text, "the %s is infinite", what);
  } else if (maths::fabs(value) > limit) {
    std::snprintf(text, sizeof text, "the %s is %.10g, beyond \xC2\xB1%g\xC2\xB0", what, value,
                  limit);
  } else {
    return "";
  }
  return text;
}

}  // namespace

std::string EscapeXml(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        // Control characters are not allowed in XML 1.0.
        if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n') out += c;
        break;
    }
  }
  return out;
}

bool PlaceOnEarth(double lat, double lon) {
  return !maths::isnan(lat) && !maths::isnan(lon) && maths::fabs(lat) <= 90.0 &&
         maths::fabs(lon) <= 180.0;
}

std::string PointRefusal(const HandOffPoint& point) {
  if (!point.set) return "Kein Punkt gesetzt";
  if (PlaceOnEarth(point.lat, point.lon)) return "";
  std::string wrong = WhatIsWrong("latitude", point.lat, 90.0);
  const std::string lon = WhatIsWrong("longitude", point.lon, 180.0);
  if (wrong.empty() && lon.empty()) return "";
  if (!wrong.empty() && !lon.empty()) wrong += " and ";
  wrong += lon;
  return "The point set with OLAT and OLON is not a place on the Earth: " + wrong +
         ". Nothing was handed on.";
}

std::string ExchangeFileText(double lat, double lon) {
  char text[2 * 330];
  int n = std::snprintf(text, sizeof text, "%.6f\n%.6f\n", lat, lon);
  return std::string(text, n > 0 ? static_cast<size_t>(n) : 0);
}

std::string GeoUri(double lat, double lon) {
  char text[96];
  std::snprintf(text, sizeof text, "geo:%.6f,%.6f", lat, lon);
  return text;
}

std::string GeoPinUri(double lat, double lon) {
  char text[192];
  std::snprintf(text, sizeof text, "geo:%.6f,%.6f?q=%.6f,%.6f", lat, lon, lat, lon);
  return text;
}

std::string CoordinateText(double lat, double lon) {
  // The same text as a script's WGC writes.
  return Cp1252ToUtf8(GeocacheText(lat, lon));
}

std::string OpenStreetMapUri(double lat, double lon) {
  char text[256];
  std::snprintf(text, sizeof text,
                "https://www.openstreetmap.org/?mlat=%.6f&mlon=%.6f#map=18/%.6f/%.6f", lat, lon,
                lat, lon);
  return text;
}

std::string LatitudeLiteral(double lat) {
  return HalfLiteral(lat, 'N', 'S');
}

std::string LongitudeLiteral(double lon) {
  return HalfLiteral(lon, 'E', 'W');
}

std::string PositionLiteral(double lat, double lon, double accuracy_m) {
  std::string text = LatitudeLiteral(lat) + ", " + LongitudeLiteral(lon);
  if (accuracy_m > 0 && maths::isfinite(accuracy_m)) {
    char comment[64];
    std::snprintf(comment, sizeof comment, " {\xC2\xB1%.0f m}", maths::ceil(accuracy_m));
    text += comment;
  }
  return text;
}

Leg LegBetween(double from_lat, double from_lon, double to_lat, double to_lon) {
  const InverseResult r = CalcProjection(kWgs84, from_lat, from_lon, to_lat, to_lon, nullptr);
  if (!r.converged || !maths::isfinite(r.distance) || !maths::isfinite(r.azimuth)) return {};
  return {r.distance, r.azimuth, true};
}

std::string LegDistanceText(double metres) {
  char text[64];
  if (metres < 999.5) {
    std::snprintf(text, sizeof text, "%.0f m", metres);
  } else {
    const double km = metres / 1000;
    const int decimals = km < 99.995 ? 2 : km < 999.95 ? 1 : 0;
    std::snprintf(text, sizeof text, "%.*f km", decimals, km);
  }
  return text;
}

std::string LegBearingText(double degrees) {
  static const char* const kPoints[] = {"N", "NNE", "NE", "ENE", "E", "ESE", "SE", "SSE",
                                        "S", "SSW", "SW", "WSW", "W", "WNW", "NW", "NNW"};
  // Whole degrees as shown, 360 being north again; the compass point of
  // the degrees shown, so that the two never disagree.
  long long whole = maths::isfinite(degrees) ? maths::llround(maths::fmod(degrees, 360.0)) : 0;
  if (whole >= 360 || whole < 0) whole = 0;
  char text[32];
  std::snprintf(text, sizeof text, "%lld\xC2\xB0 (%s)", whole,
                kPoints[((whole * 2 + 22) / 45) % 16]);
  return text;
}

std::string LegText(const Leg& leg) {
  if (!leg.found) return "no distance: the places are nearly opposite on the Earth";
  if (leg.distance < 0.5) return "0 m: you are at the point";
  return LegDistanceText(leg.distance) + ", bearing " + LegBearingText(leg.bearing);
}

std::string GpxWaypoint(double lat, double lon, std::string_view name) {
  return GpxWaypoints({{std::string(name), {lat, lon, true}}}).gpx;
}

GpxFile GpxWaypoints(const std::vector<NamedPoint>& points) {
  GpxFile file;
  std::string waypoints;
  for (const NamedPoint& p : points) {
    if (const std::string refusal = PointRefusal(p.point); !refusal.empty()) {
      file.refusals.push_back(p.name + ": " + refusal);
      continue;
    }
    char position[96];
    std::snprintf(position, sizeof position, "lat=\"%.6f\" lon=\"%.6f\"", p.point.lat, p.point.lon);
    waypoints += "  <wpt ";
    waypoints += position;
    waypoints += ">\n    <name>";
    waypoints += EscapeXml(p.name);
    waypoints += "</name>\n    <desc>";
    waypoints += CoordinateText(p.point.lat, p.point.lon);
    waypoints += "</desc>\n  </wpt>\n";
  }
  if (waypoints.empty()) return file;
  file.gpx =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<gpx version=\"1.1\" creator=\"Orbelin\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n" +
      waypoints + "</gpx>\n";
  return file;
}

namespace {

// One half of a pasted pair at the scanner's lookahead; "" in `why` when it
// is one, with its value and letter.
std::string PairHalf(const Scanner& sc, std::string_view text, const char* which,
                     const char* letters, double* value, char* letter) {
  const Token& t = sc.lookahead_token();
  const PastedCoordinate c = ReadPastedCoordinate(text, t.position);
  const std::string at = t.terminal == kEof
                             ? std::string("the text ends")
                             : "\"" + Cp1252ToUtf8(text.substr(t.position, t.length)) + "\"";
  if (c.kind == PastedCoordinate::Kind::kMalformed) {
    return std::string("the ") + which + " is no coordinate: " + c.fault;
  }
  if (t.terminal != kPasted) {
    return std::string("the ") + which + " is missing where " + at +
           (t.terminal == kEof ? "" : " stands") +
           ": write the pair as a cache page does, N 48\xC2\xB0 12.345 E 011\xC2\xB0 30.500";
  }
  *value = c.value;
  *letter = c.hemisphere;
  if (*letter != letters[0] && *letter != letters[1]) {
    return std::string("the ") + which + " starts with " + std::string(1, *letter) + ": it takes " +
           letters[0] + " or " + letters[1];
  }
  return "";
}

}  // namespace

PairReading ReadCoordinatePair(std::string_view utf8_text) {
  PairReading r;
  const std::string text = Utf8ToCp1252(utf8_text);
  Diagnostics quiet;  // never started: it stores nothing
  Scanner sc(text, quiet);
  sc.NextToken();
  double lat = 0, lon = 0;
  char letter = 0;
  r.why = PairHalf(sc, text, "latitude", "NS", &lat, &letter);
  if (!r.why.empty()) return r;
  sc.NextToken();
  if (sc.lookahead() == kComma) sc.NextToken();
  r.why = PairHalf(sc, text, "longitude", "EW", &lon, &letter);
  if (!r.why.empty()) return r;
  sc.NextToken();
  if (sc.lookahead() != kEof) {
    const Token& t = sc.lookahead_token();
    r.why = "after the pair comes \"" + Cp1252ToUtf8(text.substr(t.position, t.length)) +
            "\": give the two coordinates alone";
    return r;
  }
  // The point rules' own words, without the hand-off's sentence around them.
  std::string wrong = WhatIsWrong("latitude", lat, 90.0);
  const std::string lon_wrong = WhatIsWrong("longitude", lon, 180.0);
  if (!wrong.empty() || !lon_wrong.empty()) {
    if (!wrong.empty() && !lon_wrong.empty()) wrong += " and ";
    r.why = "the pair is not a place on the Earth: " + wrong + lon_wrong;
    return r;
  }
  r.point = GeoPoint{lat, lon};
  return r;
}

}  // namespace orbelin
