#include "base/point_forms.h"

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

}  // namespace

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
