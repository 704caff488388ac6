// Which screen a display name means, so that one window per home folder and
// screen holds however the name is written: ":77", ":77.0" and
// "unix/:77.0" are one screen.
#pragma once

#include <string>
#include <string_view>

namespace orbelin {

// An X display name ([protocol/][host]:number[.screen]) as "host:number.screen":
// the local host as "", the screen 0 when none is given, the numbers without
// leading zeros. A name that is none of these comes back as it is.
std::string NormalX11Display(std::string_view name);

// A Wayland display's socket as a path: a name without '/' lies in the
// user's runtime folder; no name is "wayland-0".
std::string NormalWaylandDisplay(std::string_view name, std::string_view runtime_dir);

}  // namespace orbelin
