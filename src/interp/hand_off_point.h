// The point that OLAT and OLON set for the moving-map hand-off. It belongs
// to the session: a run never resets it, so a point set by one run can be
// handed off after a later one.
#pragma once

namespace orbelin {

struct HandOffPoint {
  double lat = 0.0;
  double lon = 0.0;
  bool set = false;
};

}  // namespace orbelin
