// The grids of other countries and armies: MGRS (with UPS), and the
// national grids, each a statement from a GPS position to the grid's
// numbers, one back, and an item that writes the numbers as maps print
// them.
#include <cmath>
#include <cstdio>
#include <string>

#include "base/int_conversion.h"
#include "geodesy/mgrs.h"
#include "interp/bindings.h"
#include "interp/errors.h"
#include "interp/grid_checks.h"

namespace orbelin {

void HandleGps2Mgrs(Runtime& rt, const CallArgs& a) {
  const double lat = a.num[0], lon = a.num[1];
  if (!Position(rt, "GPS2MGRS", lat, lon)) {
    for (int i = 0; i < 4; ++i) rt.SetValue(a.var[i], NAN);
    return;
  }
  const MgrsPosition p = GeoToMgrs(lat, lon);
  rt.SetValue(a.var[0], p.zone);
  rt.SetValue(a.var[1], static_cast<unsigned char>(p.band));
  rt.SetValue(a.var[2], p.easting);
  rt.SetValue(a.var[3], p.northing);
}

void HandleMgrs2Gps(Runtime& rt, const CallArgs& a) {
  const std::string text(a.str[0].view());
  const MgrsReading r = ReadMgrs(text);
  if (r.fault != MgrsReading::Fault::kNone) {
    rt.Refuse(r.fault == MgrsReading::Fault::kForm ? kErrBadMgrs : kErrNoMgrsSquare,
              "MGRS2GPS: '" + text + "': " + r.why);
    rt.SetValue(a.var[0], NAN);
    rt.SetValue(a.var[1], NAN);
    return;
  }
  rt.SetValue(a.var[0], r.centre.lat);
  rt.SetValue(a.var[1], r.centre.lon);
  NoteArea(rt, "MGRS2GPS", text, r.size, r.size,
           "more digits narrow it down: 5 each for easting and northing give the metre");
}

void ItemWmgrs(Runtime& rt, const CallArgs& a) {
  const double digits = std::floor(a.num[4]);
  if (!(digits >= 0 && digits <= 5)) {
    rt.Refuse(kErrBadCodeLength,
              "WMGRS: the digits after ':' are 0 (the 100 km square) to 5 "
              "(the metre), as in WMGRS(Z, B, E, N:3) for 100 m");
    return;
  }
  if (std::isnan(a.num[0]) || std::isnan(a.num[1]) || std::isnan(a.num[2]) ||
      std::isnan(a.num[3])) {
    rt.out.Write("nan");  // an earlier statement has said why
    return;
  }
  MgrsPosition p;
  p.zone = TruncToInt(a.num[0]);
  p.band = static_cast<char>(LowByte(a.num[1]));
  p.easting = a.num[2];
  p.northing = a.num[3];
  std::string why;
  const std::string text = MgrsText(p, static_cast<int>(digits), &why);
  if (text.empty()) {
    rt.Refuse(kErrOutsideGrid,
              "WMGRS: " + why + "; GPS2MGRS gives the zone, band, easting and northing");
    return;
  }
  rt.out.Write(text);
}

}  // namespace orbelin
