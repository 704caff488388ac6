#include "frontend/point.h"

#include <cmath>
#include <cstdio>

#include "geodesy/ellipsoid.h"
#include "geodesy/geodesic_inverse.h"

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
  const long long thousandths = std::llround(std::fabs(value) * 60000.0);
  return {thousandths, value < 0 && thousandths != 0};
}

// One half of the coordinate text.
std::string HalfText(double value, char positive, char negative, int degree_digits) {
  const Minutes m = ToMinutes(value);
  char text[48];
  std::snprintf(text, sizeof text, "%c %0*lld\xC2\xB0 %02lld.%03lld",
                m.negative ? negative : positive, degree_digits, m.thousandths / 60000,
                m.thousandths % 60000 / 1000, m.thousandths % 1000);
  return text;
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
  if (std::isnan(value)) {
    std::snprintf(text, sizeof text, "the %s is not a number (nan)", what);
  } else if (std::isinf(value)) {
    std::snprintf(text, sizeof text, "the %s is infinite", what);
  } else if (std::fabs(value) > limit) {
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

std::string PointRefusal(const HandOffPoint& point) {
  if (!point.set) return "Kein Punkt gesetzt";
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
  return HalfText(lat, 'N', 'S', 2) + " " + HalfText(lon, 'E', 'W', 3);
}

std::string PositionLiteral(double lat, double lon, double accuracy_m) {
  std::string text = HalfLiteral(lat, 'N', 'S') + ", " + HalfLiteral(lon, 'E', 'W');
  if (accuracy_m > 0 && std::isfinite(accuracy_m)) {
    char comment[64];
    std::snprintf(comment, sizeof comment, " {\xC2\xB1%.0f m}", std::ceil(accuracy_m));
    text += comment;
  }
  return text;
}

Leg LegBetween(double from_lat, double from_lon, double to_lat, double to_lon) {
  const InverseResult r = CalcProjection(kWgs84, from_lat, from_lon, to_lat, to_lon, nullptr);
  if (!r.converged || !std::isfinite(r.distance) || !std::isfinite(r.azimuth)) return {};
  return {r.distance, r.azimuth, true};
}

std::string LegText(const Leg& leg) {
  if (!leg.found) return "no distance: the places are nearly opposite on the Earth";
  static const char* const kPoints[] = {"N", "NNE", "NE", "ENE", "E", "ESE", "SE", "SSE",
                                        "S", "SSW", "SW", "WSW", "W", "WNW", "NW", "NNW"};
  // Whole degrees as shown, 360 being north again; the compass point of
  // the degrees shown, so that the two never disagree.
  long long degrees = std::llround(leg.bearing);
  if (degrees >= 360 || degrees < 0) degrees = 0;
  const char* point = kPoints[((degrees * 2 + 22) / 45) % 16];
  char text[96];
  if (leg.distance < 0.5) return "0 m: you are at the point";
  if (leg.distance < 999.5) {
    std::snprintf(text, sizeof text, "%.0f m, bearing %lld\xC2\xB0 (%s)", leg.distance, degrees,
                  point);
  } else {
    const double km = leg.distance / 1000;
    const int decimals = km < 99.995 ? 2 : km < 999.95 ? 1 : 0;
    std::snprintf(text, sizeof text, "%.*f km, bearing %lld\xC2\xB0 (%s)", decimals, km, degrees,
                  point);
  }
  return text;
}

std::string GpxWaypoint(double lat, double lon, std::string_view name) {
  char position[96];
  std::snprintf(position, sizeof position, "lat=\"%.6f\" lon=\"%.6f\"", lat, lon);
  std::string gpx =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<gpx version=\"1.1\" creator=\"Orbelin\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n"
      "  <wpt ";
  gpx += position;
  gpx += ">\n    <name>";
  gpx += EscapeXml(name);
  gpx += "</name>\n    <desc>";
  gpx += CoordinateText(lat, lon);
  gpx += "</desc>\n  </wpt>\n</gpx>\n";
  return gpx;
}

}  // namespace orbelin
