// Opening a point in a map, the one way for the main window and the Try
// values dialog: the geo: link goes to the desktop's program for such links
// (a pin at the point); where there is none (Debian sets none up), the
// point's page on openstreetmap.org goes to the web browser, and a note
// says so; where neither opens, a message says so with both links to copy.
#pragma once

#include "window/platform.h"

namespace orbelin {

// `lat` and `lon` are a place on the Earth (see PointRefusal).
void OpenPointInMap(Platform& platform, double lat, double lon);

}  // namespace orbelin
