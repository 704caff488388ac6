// CP and DISTVINCENTY against the exact inverse problem, CBP against the
// exact direct problem (GeographicLib, good to about 15 nanometres).
#include <GeographicLib/Geodesic.hpp>
#include <cmath>
#include <string>
#include <vector>

#include "geodesy/geodesic_direct.h"
#include "geodesy/geodesic_inverse.h"
#include "geodesy/vincenty_distance.h"
#include "sections.h"
#include "stats.h"

namespace orbelin::accuracy {

namespace {

using GeographicLib::Geodesic;

const Geodesic& Exact() {
  return Geodesic::WGS84();
}

// Distance bins in metres.
const std::vector<double> kDistanceEdges = {0,   1e3,   1e4,   1e5,    1e6,  5e6,
                                            1e7, 1.5e7, 1.9e7, 1.99e7, 2.1e7};
const std::vector<std::string> kDistanceLabels = {"< 1 km",           "1 - 10 km",
                                                  "10 - 100 km",      "100 - 1000 km",
                                                  "1000 - 5000 km",   "5000 - 10000 km",
                                                  "10000 - 15000 km", "15000 - 19000 km",
                                                  "19000 - 19900 km", "19900 km - half the globe"};

int Bin(const std::vector<double>& edges, double x) {
  for (size_t i = 0; i + 1 < edges.size(); ++i) {
    if (x < edges[i + 1]) return static_cast<int>(i);
  }
  return static_cast<int>(edges.size()) - 2;
}

// Azimuth difference in arc seconds, across north.
double AzimuthError(double a, double b) {
  return std::fabs(std::remainder(a - b, 360.0)) * 3600;
}

struct Pair {
  double lat1, lon1, lat2, lon2;
};

// Start points over the globe, azimuths all round, distances from a metre to
// half the globe.
// DISTVINCENTY cuts to the millimetre, and a distance of exactly 1000 m
// computed as 999.99999999 would always read 1 mm short: the pairs add
// fractions of a millimetre to these.
std::vector<double> Distances() {
  std::vector<double> distances;
  for (double d = 1.37; d < 1.9e7; d *= std::sqrt(10.0)) distances.push_back(d);
  for (double d :
       {5.3e6, 8.1e6, 1.23e7, 1.71e7, 1.91e7, 1.953e7, 1.981e7, 1.991e7, 1.9953e7, 2.0003e7}) {
    distances.push_back(d);
  }
  return distances;
}

std::vector<Pair> PairsByDistance() {
  const std::vector<double> distances = Distances();
  std::vector<Pair> pairs;
  int n = 0;
  for (double lat = -85; lat <= 85; lat += 5) {
    for (double az = 2.5; az < 360; az += 15) {
      for (double d : distances) {
        const double lon1 = std::fmod(n * 37.3, 360.0) - 180;
        // Spread the fraction of a millimetre over [0, 1).
        const double fraction = (n++ % 10) * 0.0001 + 0.00005;
        double lat2, lon2;
        Exact().Direct(lat, lon1, az, d + fraction, lat2, lon2);
        pairs.push_back({lat, lon1, lat2, lon2});
      }
    }
  }
  return pairs;
}

std::string ByDistance(Figures& f) {
  std::vector<ErrorStats> cp_dist(kDistanceLabels.size()), cp_az(kDistanceLabels.size()),
      vin(kDistanceLabels.size());
  for (const Pair& p : PairsByDistance()) {
    double s12, azi1, azi2;
    Exact().Inverse(p.lat1, p.lon1, p.lat2, p.lon2, s12, azi1, azi2);
    const int b = Bin(kDistanceEdges, s12);
    const InverseResult r =
        CalcProjection(orbelin::kWgs84, p.lat1, p.lon1, p.lat2, p.lon2, nullptr);
    if (std::isnan(r.distance)) {
      cp_dist[b].AddFailure();
      cp_az[b].AddFailure();
    } else {
      cp_dist[b].Add(std::fabs(r.distance - s12) * 1000);
      cp_az[b].Add(AzimuthError(r.azimuth, azi1));
    }
    const double v = DistVincenty(orbelin::kWgs84Vincenty, p.lat1, p.lon1, p.lat2, p.lon2);
    if (v == -1) {
      vin[b].AddFailure();
    } else {
      vin[b].Add(std::fabs(v - s12) * 1000);
    }
  }
  ErrorStats all_dist, all_az, all_vin;
  for (size_t i = 0; i < cp_dist.size(); ++i) {
    all_dist.Merge(cp_dist[i]);
    all_az.Merge(cp_az[i]);
    all_vin.Merge(vin[i]);
  }
  f["cp_max_mm"] = all_dist.Max();
  f["cp_az_max"] = all_az.Max();
  f["vin_max_mm"] = all_vin.Max();
  return "### CP and DISTVINCENTY by distance between the points\n\n" +
         Table("distance", kDistanceLabels,
               {{"CP distance (mm)", cp_dist}, {"CP azimuth (\")", cp_az}}) +
         "\n" + Table("distance", kDistanceLabels, {{"DISTVINCENTY (mm)", vin}}) + "\n";
}

// Pairs whose second point lies a given distance from the first point's
// antipode, in every direction.
std::string NearAntipode(Figures& f) {
  const std::vector<double> edges = {0, 1e3, 1e4, 1e5, 1e6, 3.1e6};
  const std::vector<std::string> labels = {"< 1 km", "1 - 10 km", "10 - 100 km", "100 - 1000 km",
                                           "1000 - 3000 km"};
  std::vector<ErrorStats> cp_dist(labels.size()), cp_az(labels.size()), vin(labels.size());
  for (double lat = -80; lat <= 80; lat += 10) {
    for (double az = 0; az < 360; az += 30) {
      for (double off = 10; off <= 3e6; off *= std::sqrt(10.0)) {
        double lat2, lon2;
        Exact().Direct(-lat, 180, az, off, lat2, lon2);
        double s12, azi1, azi2;
        Exact().Inverse(lat, 0, lat2, lon2, s12, azi1, azi2);
        const int b = Bin(edges, off);
        const InverseResult r = CalcProjection(orbelin::kWgs84, lat, 0, lat2, lon2, nullptr);
        if (std::isnan(r.distance)) {
          cp_dist[b].AddFailure();
          cp_az[b].AddFailure();
        } else {
          cp_dist[b].Add(std::fabs(r.distance - s12) * 1000);
          cp_az[b].Add(AzimuthError(r.azimuth, azi1));
        }
        const double v = DistVincenty(orbelin::kWgs84Vincenty, lat, 0, lat2, lon2);
        if (v == -1) {
          vin[b].AddFailure();
        } else {
          vin[b].Add(std::fabs(v - s12) * 1000);
        }
      }
    }
  }
  // The outer edge of the farthest row that still has failures.
  for (size_t i = 0; i < labels.size(); ++i) {
    if (cp_dist[i].failures() > 0) f["cp_fail_km"] = edges[i + 1] / 1000;
    if (vin[i].failures() > 0) f["vin_fail_km"] = edges[i + 1] / 1000;
  }
  return "### CP and DISTVINCENTY near the antipode\n\n"
         "Second point at the given distance from the first point's antipode, in every "
         "direction; \"no result\" counts NaN from CP and -1 from DISTVINCENTY.\n\n" +
         Table("from the antipode", labels,
               {{"CP distance (mm)", cp_dist}, {"CP azimuth (\")", cp_az}}) +
         "\n" + Table("from the antipode", labels, {{"DISTVINCENTY (mm)", vin}}) + "\n";
}

std::string Direct(Figures& f) {
  std::vector<ErrorStats> pos(kDistanceLabels.size()), back(kDistanceLabels.size());
  for (double lat = -85; lat <= 85; lat += 5) {
    for (double az = 2.5; az < 360; az += 15) {
      for (double d : Distances()) {
        for (double dd : {d, 2.0e7 - d / 10}) {
          double lat2, lon2, azi2;
          Exact().Direct(lat, 10, az, dd, lat2, lon2, azi2);
          const DirectResult r = CalcBackProjection(orbelin::kWgs84, lat, 10, az, dd, nullptr);
          double miss;
          Exact().Inverse(lat2, lon2, r.lat, r.lon, miss);
          const int b = Bin(kDistanceEdges, dd);
          pos[b].Add(miss * 1000);
          // Our back azimuth points to the start; the exact azi2 points onwards.
          back[b].Add(AzimuthError(r.back_azimuth, azi2 + 180));
        }
      }
    }
  }
  ErrorStats all;
  for (const ErrorStats& e : pos) all.Merge(e);
  f["cbp_max_mm"] = all.Max();
  return "### CBP by distance travelled\n\n"
         "Position error of the end point (the distance between it and the exact end point) "
         "and error of the back azimuth.\n\n" +
         Table("distance", kDistanceLabels,
               {{"end point (mm)", pos}, {"back azimuth (\")", back}}) +
         "\n";
}

}  // namespace

std::string GeodesicSection(Figures& f) {
  return "## Geodesics on WGS 84: CP, CBP, DISTVINCENTY\n\n"
         "Reference: GeographicLib's `Geodesic::WGS84()` inverse and direct problems. Pairs: "
         "start points every 5 degrees of latitude (85 S to 85 N) at scattered longitudes, 24 "
         "azimuths, distances from 1 m to half the globe.\n\n" +
         ByDistance(f) + NearAntipode(f) + Direct(f);
}

}  // namespace orbelin::accuracy
