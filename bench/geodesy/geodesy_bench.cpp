// Per-call cost of DISTVINCENTY, CP, CBP, GPS2UTM and GPS2GK, each beside its
// GeographicLib counterpart on the same inputs: the inverse problem, the
// direct problem, UTM forward and a Bessel transverse Mercator forward.
// Every benchmark walks the same 4096 inputs, one call per iteration.
// Then each construction three ways on the figures of field work: the
// plane construction alone, the statement (which measures its answer
// against the exact one), and the exact twin.
#include <benchmark/benchmark.h>

#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/TransverseMercator.hpp>
#include <GeographicLib/UTMUPS.hpp>
#include <cmath>
#include <random>
#include <vector>

#include "geodesy/arc_intersection.h"
#include "geodesy/center.h"
#include "geodesy/cross_bearing.h"
#include "geodesy/ellipsoid.h"
#include "geodesy/exact_arc_intersection.h"
#include "geodesy/exact_center.h"
#include "geodesy/exact_cross_bearing.h"
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

// Figures of field work around targets across the globe: circles of 0.4
// to 30 km and bearings over as much, crossing at 5 to 90 degrees, three
// points over 30 to 230 degrees of their circle; made with GeographicLib.
struct Figure {
  GeoPoint p1, p2, p3;  // centres or observers, and the centre's third point
  double b1, b2;        // bearings towards the target
  double r1, r2;        // radii
};

const std::vector<Figure>& Figures() {
  static const std::vector<Figure> figures = [] {
    const GeographicLib::Geodesic& g = GeographicLib::Geodesic::WGS84();
    std::mt19937_64 rng(20261211);
    std::uniform_real_distribution<double> lat(-70, 70), lon(-180, 180), unit(0, 1);
    std::vector<Figure> v;
    while (v.size() < 4096) {
      const double tlat = lat(rng), tlon = lon(rng), turn = 360 * unit(rng);
      const double size = 400 * std::pow(75.0, unit(rng));  // 0.4 to 30 km
      const double angle = 5 + 85 * unit(rng), arc = 30 + 200 * unit(rng);
      Figure f;
      double azi;
      g.Direct(tlat, tlon, turn, size, f.p1.lat, f.p1.lon);
      g.Direct(tlat, tlon, turn + angle, 0.8 * size, f.p2.lat, f.p2.lon);
      g.Direct(tlat, tlon, turn + arc, size, f.p3.lat, f.p3.lon);
      g.Inverse(f.p1.lat, f.p1.lon, tlat, tlon, f.r1, f.b1, azi);
      g.Inverse(f.p2.lat, f.p2.lon, tlat, tlon, f.r2, f.b2, azi);
      v.push_back(f);
    }
    return v;
  }();
  return figures;
}

template <typename F>
void WalkFigures(benchmark::State& state, F f) {
  const std::vector<Figure>& figures = Figures();
  size_t i = 0;
  for (auto _ : state) {
    f(figures[i]);
    i = (i + 1) & (figures.size() - 1);
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_BogenSchnittInPlane(benchmark::State& state) {
  WalkFigures(state, [](const Figure& f) {
    benchmark::DoNotOptimize(BogenSchnittInPlane(kBessel, f.p1, f.p2, f.r1, f.r2, nullptr));
  });
}

void BM_BogenSchnitt(benchmark::State& state) {
  WalkFigures(state, [](const Figure& f) {
    ArcIntersectionReport report;
    benchmark::DoNotOptimize(
        BogenSchnitt(kWgs84, kBessel, f.p1, f.p2, f.r1, f.r2, nullptr, &report));
  });
}

void BM_BogenSchnittExact(benchmark::State& state) {
  WalkFigures(state, [](const Figure& f) {
    benchmark::DoNotOptimize(IntersectGeodesicCircles(kWgs84, f.p1, f.p2, f.r1, f.r2));
  });
}

void BM_KreuzpeilungInPlane(benchmark::State& state) {
  WalkFigures(state, [](const Figure& f) {
    benchmark::DoNotOptimize(CrossBearingInPlane(kWgs84, kBessel, f.p1.lat, f.p1.lon, f.b1,
                                                 f.p2.lat, f.p2.lon, f.b2, nullptr));
  });
}

void BM_Kreuzpeilung(benchmark::State& state) {
  WalkFigures(state, [](const Figure& f) {
    CrossBearingReport report;
    benchmark::DoNotOptimize(CrossBearing(kWgs84, kBessel, f.p1.lat, f.p1.lon, f.b1, f.p2.lat,
                                          f.p2.lon, f.b2, nullptr, &report));
  });
}

void BM_KreuzpeilungExact(benchmark::State& state) {
  WalkFigures(state, [](const Figure& f) {
    benchmark::DoNotOptimize(
        IntersectGeodesics(kWgs84, f.p1.lat, f.p1.lon, f.b1, f.p2.lat, f.p2.lon, f.b2));
  });
}

void BM_CenterInPlane(benchmark::State& state) {
  WalkFigures(state, [](const Figure& f) {
    benchmark::DoNotOptimize(CenterInPlane(kBessel, f.p1, f.p2, f.p3, nullptr));
  });
}

void BM_Center(benchmark::State& state) {
  WalkFigures(state, [](const Figure& f) {
    CenterReport report;
    benchmark::DoNotOptimize(Center(kWgs84, kBessel, f.p1, f.p2, f.p3, nullptr, &report));
  });
}

void BM_CenterExact(benchmark::State& state) {
  WalkFigures(state, [](const Figure& f) {
    benchmark::DoNotOptimize(CentreOnEllipsoid(kWgs84, f.p1, f.p2, f.p3));
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
BENCHMARK(BM_BogenSchnittInPlane);
BENCHMARK(BM_BogenSchnitt);
BENCHMARK(BM_BogenSchnittExact);
BENCHMARK(BM_KreuzpeilungInPlane);
BENCHMARK(BM_Kreuzpeilung);
BENCHMARK(BM_KreuzpeilungExact);
BENCHMARK(BM_CenterInPlane);
BENCHMARK(BM_Center);
BENCHMARK(BM_CenterExact);

}  // namespace
