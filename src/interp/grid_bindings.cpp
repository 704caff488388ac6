// The grids of other countries and armies: MGRS (with UPS), and the
// national grids, each a statement from a GPS position to the grid's
// numbers, one back, and an item that writes the numbers as maps print
// them.
#include <cstdio>
#include <limits>
#include <string>

#include "base/int_conversion.h"
#include "base/maths.h"
#include "geodesy/austrian_grid.h"
#include "geodesy/british_grid.h"
#include "geodesy/dutch_grid.h"
#include "geodesy/mgrs.h"
#include "geodesy/swiss_grid.h"
#include "interp/bindings.h"
#include "interp/errors.h"
#include "interp/grid_checks.h"

namespace orbelin {

// What a statement stores when it has no position to give.
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

void HandleGps2Mgrs(Runtime& rt, const CallArgs& a) {
  const double lat = a.num[0], lon = a.num[1];
  if (!Position(rt, "GPS2MGRS", lat, lon)) {
    for (int i = 0; i < 4; ++i) rt.SetValue(a.var[i], kNaN);
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
    rt.SetValue(a.var[0], kNaN);
    rt.SetValue(a.var[1], kNaN);
    return;
  }
  rt.SetValue(a.var[0], r.centre.lat);
  rt.SetValue(a.var[1], r.centre.lon);
  NoteArea(rt, "MGRS2GPS", text, r.size, r.size,
           "more digits narrow it down: 5 each for easting and northing give the metre");
}

void ItemWmgrs(Runtime& rt, const CallArgs& a) {
  const double digits = maths::floor(a.num[4]);
  if (!(digits >= 0 && digits <= 5)) {
    rt.Refuse(kErrBadCodeLength,
              "WMGRS: the digits after ':' are 0 (the 100 km square) to 5 "
              "(the metre), as in WMGRS(Z, B, E, N:3) for 100 m");
    return;
  }
  if (maths::isnan(a.num[0]) || maths::isnan(a.num[1]) || maths::isnan(a.num[2]) ||
      maths::isnan(a.num[3])) {
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

namespace {

// "47.5 N, 2.3 E" for a warning.
std::string Where(double lat, double lon) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.4g %c, %.4g %c", maths::fabs(lat), lat < 0 ? 'S' : 'N',
                maths::fabs(lon), lon < 0 ? 'W' : 'E');
  return buf;
}

// A grid is made for its country; beyond it the formulas still hold, but
// the datum shift and the scale do not: worth a word, and still an answer.
void WarnOutside(Runtime& rt, std::string_view keyword, double lat, double lon,
                 std::string_view country) {
  rt.Warn(std::string(keyword) + ": " + Where(lat, lon) + " lies outside " + std::string(country) +
              ", for which the grid is made: the numbers are computed all the same",
          "a grid far from its country is not what its maps print: check the position");
}

bool AllFinite(const CallArgs& a, int count) {
  for (int i = 0; i < count; ++i) {
    if (!maths::isfinite(a.num[i])) return false;
  }
  return true;
}

void WriteGrid(Runtime& rt, const char* format, double x, double y) {
  char buf[96];
  std::snprintf(buf, sizeof buf, format, x, y);
  rt.out.Write(buf);
}

// GPS2LV95 and GPS2LV03: the same grid, LV03 without the leading 2 and 1
// and with the old survey's distortions.
void Gps2Swiss(Runtime& rt, const CallArgs& a, const char* keyword, bool lv95) {
  const double lat = a.num[0], lon = a.num[1];
  if (!Position(rt, keyword, lat, lon)) {
    rt.SetValue(a.var[0], kNaN);
    rt.SetValue(a.var[1], kNaN);
    return;
  }
  const PlanePoint p = lv95 ? Wgs84ToLv95(lat, lon) : Wgs84ToLv03(lat, lon);
  rt.SetValue(a.var[0], p.x);
  rt.SetValue(a.var[1], p.y);
  if (!InSwitzerland(lat, lon)) WarnOutside(rt, keyword, lat, lon, "Switzerland and Liechtenstein");
}

void Swiss2Gps(Runtime& rt, const CallArgs& a, const char* keyword, bool lv95) {
  const double e = a.num[0], n = a.num[1];
  const GeoPoint g = lv95 ? Lv95ToWgs84(e, n) : Lv03ToWgs84(e, n);
  rt.SetValue(a.var[0], g.lat);
  rt.SetValue(a.var[1], g.lon);
  if (!AllFinite(a, 2)) return;
  // The two grids differ by their leading digits; a value of the other is
  // the most common slip, then east and north swapped.
  const bool looks_lv95 = e >= 2000000 && e < 3000000 && n >= 1000000 && n < 2000000;
  const bool looks_lv03 = e >= 400000 && e < 900000 && n >= 0 && n < 400000;
  const bool swapped = lv95 ? (n >= 2000000 && n < 3000000 && e >= 1000000 && e < 2000000)
                            : (n >= 400000 && n < 900000 && e >= 0 && e < 400000);
  if (swapped) {
    rt.Warn(std::string(keyword) + ": east and north look swapped",
            std::string("east comes first: in Switzerland ") +
                (lv95 ? "east runs from 2480000 to 2840000, north from 1070000 to 1300000"
                      : "east runs from 480000 to 840000, north from 70000 to 300000"));
  } else if (lv95 && looks_lv03) {
    rt.Warn(std::string(keyword) + ": these look like LV03 values, with 6 digits",
            "LV032GPS takes LV03 values; or add 2000000 to east and 1000000 to north");
  } else if (!lv95 && looks_lv95) {
    rt.Warn(std::string(keyword) + ": these look like LV95 values, with 7 digits",
            "LV952GPS takes LV95 values; or take 2000000 from east and 1000000 from north");
  } else if (!InSwitzerland(g.lat, g.lon)) {
    WarnOutside(rt, keyword, g.lat, g.lon, "Switzerland and Liechtenstein");
  }
}

}  // namespace

void HandleGps2Lv95(Runtime& rt, const CallArgs& a) {
  Gps2Swiss(rt, a, "GPS2LV95", true);
}
void HandleLv952Gps(Runtime& rt, const CallArgs& a) {
  Swiss2Gps(rt, a, "LV952GPS", true);
}
void ItemWlv95(Runtime& rt, const CallArgs& a) {
  WriteGrid(rt, "LV95: E %.0f N %.0f", a.num[0], a.num[1]);
}
void HandleGps2Lv03(Runtime& rt, const CallArgs& a) {
  Gps2Swiss(rt, a, "GPS2LV03", false);
}
void HandleLv032Gps(Runtime& rt, const CallArgs& a) {
  Swiss2Gps(rt, a, "LV032GPS", false);
}
void ItemWlv03(Runtime& rt, const CallArgs& a) {
  WriteGrid(rt, "LV03: Y %.0f X %.0f", a.num[0], a.num[1]);
}

void HandleGps2Osgb(Runtime& rt, const CallArgs& a) {
  const double lat = a.num[0], lon = a.num[1];
  if (!Position(rt, "GPS2OSGB", lat, lon)) {
    rt.SetValue(a.var[0], kNaN);
    rt.SetValue(a.var[1], kNaN);
    return;
  }
  const PlanePoint p = Wgs84ToOsgb(lat, lon);
  rt.SetValue(a.var[0], p.x);
  rt.SetValue(a.var[1], p.y);
  if (!InGreatBritain(lat, lon)) WarnOutside(rt, "GPS2OSGB", lat, lon, "Great Britain");
}

void HandleOsgb2Gps(Runtime& rt, const CallArgs& a) {
  const GeoPoint g = OsgbToWgs84(a.num[0], a.num[1]);
  rt.SetValue(a.var[0], g.lat);
  rt.SetValue(a.var[1], g.lon);
  if (AllFinite(a, 2) && !InGreatBritain(g.lat, g.lon)) {
    WarnOutside(rt, "OSGB2GPS", g.lat, g.lon, "Great Britain");
  }
}

void ItemWosgb(Runtime& rt, const CallArgs& a) {
  const double digits = maths::floor(a.num[2]);
  if (!(digits >= 0 && digits <= 5)) {
    rt.Refuse(kErrBadCodeLength,
              "WOSGB: the digits after ':' are 0 (the 100 km square) to 5 "
              "(the metre), as in WOSGB(E, N:3) for 100 m");
    return;
  }
  if (maths::isnan(a.num[0]) || maths::isnan(a.num[1])) {
    rt.out.Write("nan");
    return;
  }
  std::string why;
  const std::string text = OsgbReference(a.num[0], a.num[1], static_cast<int>(digits), &why);
  if (text.empty()) {
    rt.Refuse(kErrOutsideGrid, "WOSGB: " + why + "; GPS2OSGB gives the easting and northing");
    return;
  }
  rt.out.Write(text);
}

void HandleOsgbRef2Gps(Runtime& rt, const CallArgs& a) {
  const std::string text(a.str[0].view());
  const OsgbReading r = ReadOsgbReference(text);
  if (!r.ok) {
    rt.Refuse(kErrBadOsgbReference, "OSGBREF2GPS: '" + text + "': " + r.why);
    rt.SetValue(a.var[0], kNaN);
    rt.SetValue(a.var[1], kNaN);
    return;
  }
  const GeoPoint g = OsgbToWgs84(r.east + r.size / 2, r.north + r.size / 2);
  rt.SetValue(a.var[0], g.lat);
  rt.SetValue(a.var[1], g.lon);
  NoteArea(rt, "OSGBREF2GPS", text, r.size, r.size,
           "more digits narrow it down: 5 each for easting and northing give the metre");
}

void HandleGps2Rd(Runtime& rt, const CallArgs& a) {
  const double lat = a.num[0], lon = a.num[1];
  if (!Position(rt, "GPS2RD", lat, lon)) {
    rt.SetValue(a.var[0], kNaN);
    rt.SetValue(a.var[1], kNaN);
    return;
  }
  const PlanePoint p = Wgs84ToRd(lat, lon);
  rt.SetValue(a.var[0], p.x);
  rt.SetValue(a.var[1], p.y);
  if (!InNetherlands(lat, lon)) WarnOutside(rt, "GPS2RD", lat, lon, "the Netherlands");
}

void HandleRd2Gps(Runtime& rt, const CallArgs& a) {
  const double x = a.num[0], y = a.num[1];
  const GeoPoint g = RdToWgs84(x, y);
  rt.SetValue(a.var[0], g.lat);
  rt.SetValue(a.var[1], g.lon);
  if (!AllFinite(a, 2)) return;
  // In the Netherlands x runs from 0 to 300 km and y from 300 to 625 km.
  if (x >= 300000 && x < 625000 && y >= 0 && y < 300000) {
    rt.Warn("RD2GPS: x and y look swapped",
            "x (east) comes first: in the Netherlands x runs from 0 to 300000, y (north) from "
            "300000 to 625000");
  } else if (!InNetherlands(g.lat, g.lon)) {
    WarnOutside(rt, "RD2GPS", g.lat, g.lon, "the Netherlands");
  }
}

void ItemWrd(Runtime& rt, const CallArgs& a) {
  WriteGrid(rt, "RD: X %.0f Y %.0f", a.num[0], a.num[1]);
}

void HandleGps2Mgi(Runtime& rt, const CallArgs& a) {
  const double lat = a.num[0], lon = a.num[1];
  auto nothing = [&] {
    rt.SetValue(a.var[0], kNaN);
    rt.SetValue(a.var[1], kNaN);
  };
  // Above 360 (write 999): the position's own zone, as GPS2GK's strip.
  const int meridian = a.num[2] > 360 ? AustrianMeridian(lon) : FloorToInt(a.num[2]);
  if (!maths::isnan(a.num[2]) && !IsAustrianMeridian(meridian)) {
    rt.Refuse(kErrNoAustrianZone,
              "GPS2MGI: the meridian is 28, 31 or 34 (M28 west of 11 50' "
              "E, M31, M34 east of 14 50' E), or 999 for the position's "
              "own");
    nothing();
    return;
  }
  if (maths::isnan(a.num[2]) || !Position(rt, "GPS2MGI", lat, lon)) {
    nothing();
    return;
  }
  const PlanePoint p = Wgs84ToMgiGk(lat, lon, meridian);
  rt.SetValue(a.var[0], p.x);
  rt.SetValue(a.var[1], p.y);
  if (!InAustria(lat, lon)) WarnOutside(rt, "GPS2MGI", lat, lon, "Austria");
}

void HandleMgi2Gps(Runtime& rt, const CallArgs& a) {
  const GeoPoint g = MgiGkToWgs84(a.num[0], a.num[1], AustrianMeridianOfY(a.num[0]));
  rt.SetValue(a.var[0], g.lat);
  rt.SetValue(a.var[1], g.lon);
  if (AllFinite(a, 2) && !InAustria(g.lat, g.lon)) {
    WarnOutside(rt, "MGI2GPS", g.lat, g.lon, "Austria");
  }
}

void ItemWmgi(Runtime& rt, const CallArgs& a) {
  char buf[96];
  std::snprintf(buf, sizeof buf, "MGI M%d: Y %.0f X %.0f", AustrianMeridianOfY(a.num[0]), a.num[0],
                a.num[1]);
  rt.out.Write(buf);
}

void HandleGps2Lambert(Runtime& rt, const CallArgs& a) {
  const double lat = a.num[0], lon = a.num[1];
  if (!Position(rt, "GPS2LAMBERT", lat, lon)) {
    rt.SetValue(a.var[0], kNaN);
    rt.SetValue(a.var[1], kNaN);
    return;
  }
  const PlanePoint p = Wgs84ToMgiLambert(lat, lon);
  rt.SetValue(a.var[0], p.x);
  rt.SetValue(a.var[1], p.y);
  if (!InAustria(lat, lon)) WarnOutside(rt, "GPS2LAMBERT", lat, lon, "Austria");
}

void HandleLambert2Gps(Runtime& rt, const CallArgs& a) {
  const GeoPoint g = MgiLambertToWgs84(a.num[0], a.num[1]);
  rt.SetValue(a.var[0], g.lat);
  rt.SetValue(a.var[1], g.lon);
  if (AllFinite(a, 2) && !InAustria(g.lat, g.lon)) {
    WarnOutside(rt, "LAMBERT2GPS", g.lat, g.lon, "Austria");
  }
}

void ItemWlambert(Runtime& rt, const CallArgs& a) {
  WriteGrid(rt, "Lambert: Y %.0f X %.0f", a.num[0], a.num[1]);
}

}  // namespace orbelin
