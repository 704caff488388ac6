// Points as users paste them: the pair a cache page writes ("N 48° 12.345
// E 011° 30.500", read by the scanner's own rule for pasted coordinates)
// and --near's point (that form, or two decimal numbers), and the same text
// as a coordinate in a script. No input may crash or read out of bounds;
// a point that is read lies on the Earth, and written the way a GPS takes
// it, it reads back to within the thousandth of a minute it was rounded
// to.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "frontend/calc.h"
#include "frontend/geo_point_text.h"
#include "frontend/point.h"
#include "interp/session.h"

namespace {

// Half a thousandth of a minute, in degrees, and a little for the sums.
constexpr double kRounding = 1.0 / 120000.0 + 1e-9;

void Check(bool holds) {
  if (!holds) __builtin_trap();
}

void CheckPoint(double lat, double lon) {
  Check(std::isfinite(lat) && std::isfinite(lon) && std::fabs(lat) <= 90 && std::fabs(lon) <= 180);
  const orbelin::PairReading again = orbelin::ReadCoordinatePair(orbelin::CoordinateText(lat, lon));
  Check(again.point.has_value());
  Check(std::fabs(again.point->lat - lat) <= kRounding);
  // -180 and 180 are one meridian.
  const double dlon = std::fabs(again.point->lon - lon);
  Check(dlon <= kRounding || std::fabs(dlon - 360) <= kRounding);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const orbelin::PairReading pair = orbelin::ReadCoordinatePair(text);
  if (pair.point) {
    CheckPoint(pair.point->lat, pair.point->lon);
  } else {
    Check(!pair.why.empty());
  }
  const orbelin::GeoPointReading near = orbelin::ReadGeoPoint(text);
  if (near.point) {
    CheckPoint(near.point->lat, near.point->lon);
  } else {
    Check(!near.error.empty());
  }
  // The same text where a script takes a coordinate.
  orbelin::Session session;
  const orbelin::CalcView view =
      orbelin::CalcSource(session, "VAR X;\r\nX = " + std::string(text) + ";\r\nWRITE X:9;\r\n");
  view.explanations();
  return 0;
}
