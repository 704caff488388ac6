// What the grid and code bindings share: the check of a position they are
// given, and the note that a code read back names an area, not a point.
#pragma once

#include <string>
#include <string_view>

#include "geocodes/code_area.h"
#include "interp/library_call.h"

namespace orbelin {

// Whether lat, lon is a position to convert. NaN comes from an earlier
// statement, which has said why: false without a word. A latitude beyond
// 90 degrees or an infinite value is refused (error 137): false.
bool Position(Runtime& rt, std::string_view keyword, double lat, double lon);

// A code read back names an area; its middle is the answer. Worth a note
// when the area is larger than a cache's few metres: "'JN58td' is an area
// of 4.6 km by 6.1 km: the position is its middle", with `hint` on how to
// narrow it down.
void NoteArea(Runtime& rt, std::string_view keyword, std::string_view text,
              double north_south_metres, double east_west_metres, std::string_view hint = "");

// The same for an area of latitude and longitude, measured on the ground.
void NoteCodeArea(Runtime& rt, std::string_view keyword, std::string_view text,
                  const CodeArea& area, std::string_view hint);

// Metres as a person reads them: "0.6 m", "25 m", "4.6 km", "68 km".
std::string Metres(double metres);

}  // namespace orbelin
