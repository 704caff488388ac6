#include "frontend/point.h"

#include <cmath>
#include <cstdio>

namespace orbelin {

namespace {

// One half of the coordinate text; `value` is finite and within +-180.
std::string HalfText(double value, char positive, char negative, int degree_digits) {
  // Thousandths of a minute, rounded once, so 59.9996' becomes the next degree.
  const long long thousandths = std::llround(std::fabs(value) * 60000.0);
  const char hemisphere = value < 0 && thousandths != 0 ? negative : positive;
  char text[48];
  std::snprintf(text, sizeof text, "%c %0*lld\xC2\xB0 %02lld.%03lld", hemisphere, degree_digits,
                thousandths / 60000, thousandths % 60000 / 1000, thousandths % 1000);
  return text;
}

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

std::string CoordinateText(double lat, double lon) {
  return HalfText(lat, 'N', 'S', 2) + " " + HalfText(lon, 'E', 'W', 3);
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
