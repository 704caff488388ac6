// lv03-table: writes src/geodesy/lv03_distortion.h, the old Swiss survey's
// distortions that the official LV03 values carry beyond LV95, sampled
// from swisstopo's grid CHENYX06 (Debian's proj-data: CHENYX06_etrs.gsb)
// with PROJ's cs2cs every 0.1 degree over Switzerland and its borders.
//   build/tools/accuracy/lv03-table > src/geodesy/lv03_distortion.h
#include <cmath>
#include <cstdio>
#include <vector>

#include "cs2cs.h"
#include "geodesy/swiss_grid.h"

int main() {
  using orbelin::cs2cs::Pair;
  constexpr double kSouth = 45.6, kWest = 5.7, kStep = 0.1;
  constexpr int kRows = 25, kColumns = 52;  // to 48.0 N, 10.8 E: the grid's extent
  const char* chenyx =
      "'+proj=somerc +lat_0=46.9524055555556 +lon_0=7.43958333333333 +k_0=1 +x_0=600000 "
      "+y_0=200000 +ellps=bessel +nadgrids=CHENYX06_etrs.gsb'";
  std::vector<Pair> net;
  for (int i = 0; i < kRows; ++i) {
    for (int j = 0; j < kColumns; ++j) net.push_back({kSouth + i * kStep, kWest + j * kStep});
  }
  const auto ref = orbelin::cs2cs::Many("EPSG:4326", chenyx, net);
  if (ref.empty()) {
    std::fprintf(stderr, "lv03-table: cs2cs with CHENYX06_etrs.gsb did not run\n");
    return 1;
  }
  std::printf(
      "// The old Swiss survey's distortions: what the official LV03 values of a\n"
      "// place add to LV95's less 2000 and 1000 km, in centimetres east and\n"
      "// north, every 0.1 degree of WGS 84 latitude and longitude from %.1f N,\n"
      "// %.1f E (rows south to north, %d by %d). Sampled from swisstopo's grid\n"
      "// CHENYX06 with PROJ's cs2cs by tools/accuracy/lv03_table_main.cpp; read\n"
      "// between the samples, they stay within 0.3 m of the grid itself\n"
      "// (docs/accuracy.md). Generated: do not edit by hand.\n"
      "#pragma once\n\nnamespace orbelin::lv03 {\n\n"
      "inline constexpr double kSouth = %.1f, kWest = %.1f, kStep = %.1f;\n"
      "inline constexpr int kRows = %d, kColumns = %d;\n\n"
      "// clang-format off\n"
      "inline constexpr short kShift[kRows][kColumns][2] = {\n",
      kSouth, kWest, kRows, kColumns, kSouth, kWest, kStep, kRows, kColumns);
  for (int i = 0; i < kRows; ++i) {
    std::printf("  {");
    for (int j = 0; j < kColumns; ++j) {
      const size_t k = static_cast<size_t>(i * kColumns + j);
      if (!ref[k]) {
        std::fprintf(stderr, "lv03-table: no value at %.1f %.1f\n", net[k].first, net[k].second);
        return 1;
      }
      const orbelin::PlanePoint p = orbelin::Wgs84ToLv95(net[k].first, net[k].second);
      const long e = std::lround((ref[k]->first - (p.x - orbelin::kLv03East)) * 100);
      const long n = std::lround((ref[k]->second - (p.y - orbelin::kLv03North)) * 100);
      std::printf("%s{%ld,%ld}", j == 0 ? "" : j % 8 == 0 ? ",\n   " : ",", e, n);
    }
    std::printf("},\n");
  }
  std::printf("};\n// clang-format on\n\n}  // namespace orbelin::lv03\n");
  return 0;
}
