// The location codes that name an area by text: the Maidenhead locator,
// the geohash and the plus code. Each has an output item that writes the
// code of a position and a statement that reads a code back to the middle
// of its area.
#include <limits>
#include <string>

#include "base/maths.h"
#include "geocodes/geohash.h"
#include "geocodes/maidenhead.h"
#include "geocodes/plus_code.h"
#include "interp/bindings.h"
#include "interp/errors.h"
#include "interp/grid_checks.h"

namespace orbelin {

// What a statement stores when it has no position to give.
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

namespace {

// The length after ':' as a whole number, or -1 when it is none.
int Length(double x) {
  return maths::isfinite(x) && x >= 0 && x <= 100 ? static_cast<int>(maths::floor(x)) : -1;
}

// Writes a code of the position, or nothing with an error when the
// position is none; NaN from an earlier statement writes "nan".
template <typename Code>
void WriteCode(Runtime& rt, std::string_view keyword, const CallArgs& a, Code code) {
  if (maths::isnan(a.num[0]) || maths::isnan(a.num[1])) {
    rt.out.Write("nan");
    return;
  }
  if (!Position(rt, keyword, a.num[0], a.num[1])) return;
  rt.out.Write(code(a.num[0], a.num[1]));
}

void Store(Runtime& rt, const CallArgs& a, int first, const CodeArea& area) {
  rt.SetValue(a.var[first], area.lat());
  rt.SetValue(a.var[first + 1], area.lon());
}

void StoreNothing(Runtime& rt, const CallArgs& a, int first) {
  rt.SetValue(a.var[first], kNaN);
  rt.SetValue(a.var[first + 1], kNaN);
}

}  // namespace

void ItemWloc(Runtime& rt, const CallArgs& a) {
  const int n = Length(a.num[2]);
  if (n < 2 || n > 10 || n % 2 != 0) {
    rt.Refuse(kErrBadCodeLength,
              "WLOC: the characters after ':' are 2, 4, 6, 8 or 10, as in "
              "WLOC(LAT, LON:8); 6 when left out");
    return;
  }
  WriteCode(rt, "WLOC", a, [n](double lat, double lon) { return Locator(lat, lon, n); });
}

void HandleLoc2Gps(Runtime& rt, const CallArgs& a) {
  const std::string text(a.str[0].view());
  const CodeReading r = ReadLocator(text);
  if (!r.ok) {
    rt.Refuse(kErrBadLocator, "LOC2GPS: '" + text + "': " + r.why);
    StoreNothing(rt, a, 0);
    return;
  }
  Store(rt, a, 0, r.area);
  NoteCodeArea(rt, "LOC2GPS", text, r.area,
               "each further pair narrows it down: 8 characters give about 500 m, 10 about 20 m");
}

void ItemWgeohash(Runtime& rt, const CallArgs& a) {
  const int n = Length(a.num[2]);
  if (n < 1 || n > kGeohashMaxLength) {
    rt.Refuse(kErrBadCodeLength,
              "WGEOHASH: the characters after ':' are 1 to 12, as in "
              "WGEOHASH(LAT, LON:11); 9 when left out");
    return;
  }
  WriteCode(rt, "WGEOHASH", a, [n](double lat, double lon) { return Geohash(lat, lon, n); });
}

void HandleGeohash2Gps(Runtime& rt, const CallArgs& a) {
  const std::string text(a.str[0].view());
  const CodeReading r = ReadGeohash(text);
  if (!r.ok) {
    rt.Refuse(kErrBadGeohash, "GEOHASH2GPS: '" + text + "': " + r.why);
    StoreNothing(rt, a, 0);
    return;
  }
  Store(rt, a, 0, r.area);
  NoteCodeArea(rt, "GEOHASH2GPS", text, r.area,
               "each further character narrows it down: 9 give about 5 m, 11 about 15 cm");
}

void ItemWplus(Runtime& rt, const CallArgs& a) {
  const int n = Length(a.num[2]);
  if (!PlusCodeLength(n)) {
    rt.Refuse(kErrBadCodeLength,
              "WPLUS: the digits after ':' are 2, 4, 6, 8, or 10 to 15, as "
              "in WPLUS(LAT, LON:11); 10 when left out");
    return;
  }
  WriteCode(rt, "WPLUS", a, [n](double lat, double lon) { return PlusCode(lat, lon, n); });
}

void HandlePlus2Gps(Runtime& rt, const CallArgs& a) {
  const std::string text(a.str[0].view());
  std::string why;
  const PlusCodeKind kind = ClassifyPlusCode(text, &why);
  if (kind == PlusCodeKind::kShort) {
    rt.Refuse(kErrShortPlusCode, "PLUS2GPS: '" + text +
                                     "' is a short code, without its first digits: "
                                     "PLUSNEAR2GPS('" +
                                     text +
                                     "', lat, lon, LAT, LON) completes it with the place "
                                     "nearest to lat, lon");
    StoreNothing(rt, a, 0);
    return;
  }
  if (kind == PlusCodeKind::kNone) {
    rt.Refuse(kErrBadPlusCode, "PLUS2GPS: '" + text + "': " + why);
    StoreNothing(rt, a, 0);
    return;
  }
  const CodeReading r = ReadPlusCode(text);
  Store(rt, a, 0, r.area);
  NoteCodeArea(rt, "PLUS2GPS", text, r.area, "10 digits give about 14 m, 11 about 3 m");
}

void HandlePlusNear2Gps(Runtime& rt, const CallArgs& a) {
  const std::string text(a.str[0].view());
  std::string why;
  if (ClassifyPlusCode(text, &why) == PlusCodeKind::kNone) {
    rt.Refuse(kErrBadPlusCode, "PLUSNEAR2GPS: '" + text + "': " + why);
    StoreNothing(rt, a, 0);
    return;
  }
  if (!Position(rt, "PLUSNEAR2GPS", a.num[0], a.num[1])) {
    StoreNothing(rt, a, 0);
    return;
  }
  const CodeReading r = ReadPlusCodeNear(text, a.num[0], a.num[1]);
  Store(rt, a, 0, r.area);
  NoteCodeArea(rt, "PLUSNEAR2GPS", text, r.area, "10 digits give about 14 m, 11 about 3 m");
}

}  // namespace orbelin
