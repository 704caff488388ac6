// Script handlers of the geodesy statements and functions. Each takes its
// arguments in script order (numbers in a.num, output variables in a.var)
// and writes traces only while rt.tracing().
#pragma once

#include "interp/library_call.h"

namespace orbelin {

// GPS2UTM(lat, lon, Z, B, E, N): zone, band code, easting, northing.
void HandleGps2Utm(Runtime& rt, const CallArgs& a);
// UTM2GPS(zone, band, easting, northing, LAT, LON): zone and band floored.
void HandleUtm2Gps(Runtime& rt, const CallArgs& a);
// CP(lat1, lon1, lat2, lon2, S, A): distance and azimuth; NaN for both when
// the iteration does not converge (nearly antipodal points).
void HandleCp(Runtime& rt, const CallArgs& a);
// CBP(lat, lon, azimuth, distance, LAT, LON): the end point.
void HandleCbp(Runtime& rt, const CallArgs& a);
// GPS2GK(lat, lon, strip, R, H): strip above 360 means MKZ(lon).
void HandleGps2Gk(Runtime& rt, const CallArgs& a);
// GK2GPS(R, H, LAT, LON).
void HandleGk2Gps(Runtime& rt, const CallArgs& a);
// CENTER(lat1, lon1, lat2, lon2, lat3, lon3, LAT, LON).
void HandleCenter(Runtime& rt, const CallArgs& a);
// KREUZPEILUNG(lat1, lon1, bearing1, lat2, lon2, bearing2, LAT, LON).
void HandleKreuzpeilung(Runtime& rt, const CallArgs& a);
// BOGENSCHNITT(lat1, lon1, lat2, lon2, r1, r2, LATA, LONA, LATB, LONB).
void HandleBogenschnitt(Runtime& rt, const CallArgs& a);

double FnGmmmm(Runtime& rt, const CallArgs& a);
double FnBearingUtm(Runtime& rt, const CallArgs& a);
double FnDistUtm(Runtime& rt, const CallArgs& a);
double FnDistVincenty(Runtime& rt, const CallArgs& a);
double FnProjUtmLat(Runtime& rt, const CallArgs& a);
double FnProjUtmLon(Runtime& rt, const CallArgs& a);
double FnMkz(Runtime& rt, const CallArgs& a);
double FnTorad(Runtime& rt, const CallArgs& a);
double FnTodeg(Runtime& rt, const CallArgs& a);

}  // namespace orbelin
