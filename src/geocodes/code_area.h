// What a location code names: not a point but an area of latitude and
// longitude, whose middle stands for it when a code is read back.
#pragma once

#include <string>

namespace orbelin {

struct CodeArea {
  double south = 0.0, west = 0.0;  // degrees
  double north = 0.0, east = 0.0;
  double lat() const { return (south + north) / 2; }
  double lon() const { return (west + east) / 2; }
};

// A code read back: the area, or what is wrong with the text and what to
// write instead.
struct CodeReading {
  bool ok = false;
  std::string why;
  CodeArea area;
};

}  // namespace orbelin
