// The kept points of a value search as a GPX 1.1 file, for a GPS receiver
// or a map: one waypoint per point, named by the values that gave it, its
// comment the first line the script wrote, its description the coordinate
// text, the distance from the reference, the shown variables and the other
// values that gave the same point.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "frontend/vary/output.h"

namespace orbelin {

// UTF-8; points without a position are left out. A `name` (the script's,
// UTF-8) goes before the values in each waypoint's name.
std::string VaryGpx(const VaryPlan& plan, const std::vector<VaryPoint>& points,
                    std::string_view name = {});

}  // namespace orbelin
