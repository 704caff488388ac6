// Per-call cost of DISTVINCENTY, CP, CBP, GPS2UTM and GPS2GK, each beside its
// GeographicLib counterpart on the same inputs: the inverse problem, the
// direct problem, UTM forward and a Bessel transverse Mercator forward.
// Every benchmark walks the same 4096 inputs, one call per iteration.
#include <benchmark/benchmark.h>

#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/TransverseMercator.hpp>
#include <GeographicLib/UTMUPS.hpp>
#include <random>
#include <vector>

#include "geodesy/ellipsoid.h"
#include "geodesy/gauss_krueger.h"
#include "geodesy/geodesic_direct.h"
#include "geodesy/geodesic_inverse.h"
#include "geodesy/utm.h"
#include "geodesy/vincenty_distance.h"

namespace {

using namespace orbelin;

struct Case {
  double lat1, lon1, lat2, lon2;  // a pair for the inverse problems
  double azimuth, distance;       // a leg for the direct problems
};

// Pairs across the globe, short and long (none near the antipode, where
// both inverse methods work harder), and legs up to 10000 km.
const std::vector<Case>& Cases() {
  static const std::vector<Case> cases = [] {
    std::mt19937_64 rng(20240611);
    std::uniform_real_distribution<double> lat(-80, 80), lon(-180, 180), unit(0, 1);
    std::vector<Case> v;
    while (v.size() < 4096) {
      Case c{lat(rng), lon(rng), 0, 0, 360 * unit(rng), 0};
      // Half the pairs within 100 km (field work), half anywhere.
      if (v.size() % 2) {
        c.lat2 = c.lat1 + unit(rng) - 0.5;
        c.lon2 = c.lon1 + unit(rng) - 0.5;
      } else {
        c.lat2 = lat(rng);
        c.lon2 = lon(rng);
      }
      c.distance = v.size() % 2 ? 1e5 * unit(rng) : 1e7 * unit(rng);
      double s;
      GeographicLib::Geodesic::WGS84().Inverse(c.lat1, c.lon1, c.lat2, c.lon2, s);
      if (s > 1.9e7) continue;
      v.push_back(c);
    }
    return v;
  }();
  return cases;
}

template <typename F>
void Walk(benchmark::State& state, F f) {
  const std::vector<Case>& cases = Cases();
  size_t i = 0;
  for (auto _ : state) {
    f(cases[i]);
    i = (i + 1) & (cases.size() - 1);
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_DistVincenty(benchmark::State& state) {
  Walk(state, [](const Case& c) {
    benchmark::DoNotOptimize(DistVincenty(orbelin::kWgs84Vincenty, c.lat1, c.lon1, c.lat2, c.lon2));
  });
}

void BM_GeographicLibInverseDistance(benchmark::State& state) {
  const GeographicLib::Geodesic& g = GeographicLib::Geodesic::WGS84();
  Walk(state, [&](const Case& c) {
    double s12;
    g.Inverse(c.lat1, c.lon1, c.lat2, c.lon2, s12);
    benchmark::DoNotOptimize(s12);
  });
}

void BM_Cp(benchmark::State& state) {
  Walk(state, [](const Case& c) {
    benchmark::DoNotOptimize(
        CalcProjection(orbelin::kWgs84, c.lat1, c.lon1, c.lat2, c.lon2, nullptr));
  });
}

void BM_GeographicLibInverse(benchmark::State& state) {
  const GeographicLib::Geodesic& g = GeographicLib::Geodesic::WGS84();
  Walk(state, [&](const Case& c) {
    double s12, azi1, azi2;
    g.Inverse(c.lat1, c.lon1, c.lat2, c.lon2, s12, azi1, azi2);
    benchmark::DoNotOptimize(s12);
    benchmark::DoNotOptimize(azi1);
    benchmark::DoNotOptimize(azi2);
  });
}

void BM_Cbp(benchmark::State& state) {
  Walk(state, [](const Case& c) {
    benchmark::DoNotOptimize(
        CalcBackProjection(orbelin::kWgs84, c.lat1, c.lon1, c.azimuth, c.distance, nullptr));
  });
}

void BM_GeographicLibDirect(benchmark::State& state) {
  const GeographicLib::Geodesic& g = GeographicLib::Geodesic::WGS84();
  Walk(state, [&](const Case& c) {
    double lat2, lon2, azi2;
    g.Direct(c.lat1, c.lon1, c.azimuth, c.distance, lat2, lon2, azi2);
    benchmark::DoNotOptimize(lat2);
    benchmark::DoNotOptimize(lon2);
    benchmark::DoNotOptimize(azi2);
  });
}

void BM_Gps2Utm(benchmark::State& state) {
  Walk(state,
       [](const Case& c) { benchmark::DoNotOptimize(Geo2Utm(orbelin::kWgs84, c.lat1, c.lon1)); });
}

void BM_GeographicLibUtmForward(benchmark::State& state) {
  Walk(state, [](const Case& c) {
    int zone;
    bool northp;
    double x, y;
    GeographicLib::UTMUPS::Forward(c.lat1, c.lon1, zone, northp, x, y);
    benchmark::DoNotOptimize(x);
    benchmark::DoNotOptimize(y);
  });
}

void BM_Gps2Gk(benchmark::State& state) {
  Walk(state, [](const Case& c) {
    benchmark::DoNotOptimize(Geo2GK(orbelin::kBessel, c.lat1, c.lon1, MkzStrip(c.lon1)));
  });
}

void BM_GeographicLibBesselTmForward(benchmark::State& state) {
  const GeographicLib::TransverseMercator tm(6377397.155, 1 / 299.1528128, 1.0);
  Walk(state, [&](const Case& c) {
    double x, y;
    tm.Forward(3 * Mkz(c.lon1), c.lat1, c.lon1, x, y);
    benchmark::DoNotOptimize(x);
    benchmark::DoNotOptimize(y);
  });
}

BENCHMARK(BM_DistVincenty);
BENCHMARK(BM_GeographicLibInverseDistance);
BENCHMARK(BM_Cp);
BENCHMARK(BM_GeographicLibInverse);
BENCHMARK(BM_Cbp);
BENCHMARK(BM_GeographicLibDirect);
BENCHMARK(BM_Gps2Utm);
BENCHMARK(BM_GeographicLibUtmForward);
BENCHMARK(BM_Gps2Gk);
BENCHMARK(BM_GeographicLibBesselTmForward);

}  // namespace
