#include "frontend/vary/gpx.h"

#include <cstdio>

#include "frontend/point.h"
#include "frontend/vary/filter.h"

namespace orbelin {

std::string VaryGpx(const VaryPlan& plan, const std::vector<VaryPoint>& points,
                    std::string_view name) {
  const std::string before = name.empty() ? std::string() : std::string(name) + " ";
  std::string gpx =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<gpx version=\"1.1\" creator=\"Orbelin\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n";
  std::vector<double> values;
  for (const VaryPoint& p : points) {
    if (!p.has_point) continue;
    char position[96];
    std::snprintf(position, sizeof position, "lat=\"%.6f\" lon=\"%.6f\"", p.lat, p.lon);
    plan.Values(p.combinations.front(), &values);
    std::string desc = CoordinateText(p.lat, p.lon);
    if (p.distance >= 0) desc += "; " + DistanceText(p.distance) + " from the reference";
    for (size_t i = 0; i < p.shown.size() && i < plan.show().size(); ++i) {
      char number[40];
      std::snprintf(number, sizeof number, "%.10g", p.shown[i]);
      desc += "; " + plan.show()[i] + "=" + number;
    }
    if (p.combinations.size() > 1) {
      VaryPoint others = p;
      others.combinations.erase(others.combinations.begin());
      desc += "; also " + ValuesText(plan, others, 20);
    }
    gpx += "  <wpt ";
    gpx += position;
    gpx += ">\n    <name>" + EscapeXml(before + CombinationText(plan.sets(), values)) + "</name>\n";
    if (!p.first_line.empty()) gpx += "    <cmt>" + EscapeXml(p.first_line) + "</cmt>\n";
    gpx += "    <desc>" + EscapeXml(desc) + "</desc>\n  </wpt>\n";
  }
  gpx += "</gpx>\n";
  return gpx;
}

}  // namespace orbelin
