// Handlers of the coordinate output items and CHAR.
#pragma once

#include "interp/library_call.h"

namespace orbelin {

void ItemWlat(Runtime& rt, const CallArgs& a);  // WLAT(lat)
void ItemWlon(Runtime& rt, const CallArgs& a);  // WLON(lon)
void ItemWgps(Runtime& rt, const CallArgs& a);  // WGPS(lat, lon)
void ItemWgk(Runtime& rt, const CallArgs& a);   // WGK(h, r)
void ItemWutm(Runtime& rt, const CallArgs& a);  // WUTM(zone, band, easting, northing)
void ItemChar(Runtime& rt, const CallArgs& a);  // CHAR(code)

}  // namespace orbelin
