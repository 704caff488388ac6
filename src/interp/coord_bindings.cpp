#include "interp/bindings.h"
#include "output/coord_writers.h"
#include "output/geocache_digit_sum.h"

namespace orbelin {

void ItemWlat(Runtime& rt, const CallArgs& a) {
  WriteLat(rt.out, a.num[0]);
}
void ItemWlon(Runtime& rt, const CallArgs& a) {
  WriteLon(rt.out, a.num[0]);
}
void ItemWgps(Runtime& rt, const CallArgs& a) {
  WriteGPS(rt.out, a.num[0], a.num[1]);
}
void ItemWgk(Runtime& rt, const CallArgs& a) {
  WriteGK(rt.out, a.num[0], a.num[1]);
}
void ItemWutm(Runtime& rt, const CallArgs& a) {
  WriteUTM(rt.out, a.num[0], a.num[1], a.num[2], a.num[3]);
}
void ItemWgc(Runtime& rt, const CallArgs& a) {
  WriteGC(rt.out, a.num[0], a.num[1]);
}
void ItemWdms(Runtime& rt, const CallArgs& a) {
  WriteDMS(rt.out, a.num[0], a.num[1]);
}
void ItemChar(Runtime& rt, const CallArgs& a) {
  rt.out.WriteChar(a.num[0]);
}

bool OnlyWritesText(StatementHandler h) {
  return h == ItemWlat || h == ItemWlon || h == ItemWgps || h == ItemWgk || h == ItemWutm ||
         h == ItemWgc || h == ItemWdms || h == ItemChar;
}

double FnWgcqsum(Runtime&, const CallArgs& a) {
  return GeocacheDigitSum(a.num[0], a.num[1]);
}
double FnKqsumgc(Runtime&, const CallArgs& a) {
  return GeocacheDigitSum(a.num[0]);
}

}  // namespace orbelin
