// CENTER, KREUZPEILUNG and BOGENSCHNITT against the ellipsoidal truth: a
// target point T is chosen, the inputs are made from it with GeographicLib's
// exact geodesics (points at a geodesic distance and azimuth from T, exact
// bearings towards T, exact distances to T), and the construction's answer is
// compared with T. What remains is the error of working with straight lines
// and plane distances in the Gauss-Krueger plane.
#include <GeographicLib/Geodesic.hpp>
#include <cmath>
#include <string>
#include <vector>

#include "geodesy/arc_intersection.h"
#include "geodesy/center.h"
#include "geodesy/cross_bearing.h"
#include "sections.h"
#include "stats.h"

namespace orbelin::accuracy {

namespace {

using GeographicLib::Geodesic;

const Geodesic& Exact() {
  return Geodesic::WGS84();
}

const std::vector<double> kSizes = {100, 300, 1e3, 3e3, 1e4, 3e4};
const std::vector<std::string> kSizeLabels = {"100 m", "300 m", "1 km", "3 km", "10 km", "30 km"};

// Targets between 70 S and 70 N, each within 1.2 degrees of a strip meridian.
template <typename F>
void ForTargets(F f) {
  int n = 0;
  for (double lat = -70; lat <= 70; lat += 5) {
    for (double off = -1.2; off <= 1.2; off += 0.3) {
      const double lon = 3.0 * ((n * 5) % 100 - 50) + off;
      const double turn = std::fmod(n * 47.0, 360.0);
      ++n;
      f(lat, lon, turn);
    }
  }
}

GeoPoint From(double lat, double lon, double azimuth, double distance) {
  GeoPoint p;
  Exact().Direct(lat, lon, azimuth, distance, p.lat, p.lon);
  return p;
}

double Miss(double lat, double lon, GeoPoint g) {
  double s;
  Exact().Inverse(lat, lon, g.lat, g.lon, s);
  return s;
}

std::string Center(Figures& f) {
  std::vector<ErrorStats> err(kSizes.size());
  for (size_t i = 0; i < kSizes.size(); ++i) {
    ForTargets([&](double lat, double lon, double turn) {
      const GeoPoint a = From(lat, lon, turn, kSizes[i]);
      const GeoPoint b = From(lat, lon, turn + 100, kSizes[i]);
      const GeoPoint c = From(lat, lon, turn + 230, kSizes[i]);
      const GeoPoint g = orbelin::Center(orbelin::kWgs84, orbelin::kBessel, a, b, c, nullptr);
      if (std::isnan(g.lat)) {
        err[i].AddFailure();
      } else {
        err[i].Add(Miss(lat, lon, g) * 1000);
      }
    });
  }
  f["center_1km"] = err[2].Max();
  f["center_10km"] = err[4].Max();
  return "### CENTER by radius of the circle\n\n"
         "Three points at the same geodesic distance from the target, at azimuths 0, 100 and "
         "230 degrees (turned for each target).\n\n" +
         Table("radius", kSizeLabels, {{"centre (mm)", err}}) + "\n";
}

std::string CrossBearing(Figures& f) {
  std::vector<ErrorStats> err(kSizes.size());
  for (size_t i = 0; i < kSizes.size(); ++i) {
    ForTargets([&](double lat, double lon, double turn) {
      const GeoPoint o1 = From(lat, lon, turn, kSizes[i]);
      const GeoPoint o2 = From(lat, lon, turn + 75, kSizes[i] * 0.7);
      double s, b1, b2, unused;
      Exact().Inverse(o1.lat, o1.lon, lat, lon, s, b1, unused);
      Exact().Inverse(o2.lat, o2.lon, lat, lon, s, b2, unused);
      const GeoPoint g = orbelin::CrossBearing(orbelin::kWgs84, orbelin::kBessel, o1.lat, o1.lon,
                                               b1, o2.lat, o2.lon, b2, nullptr);
      if (std::isnan(g.lat)) {
        err[i].AddFailure();
      } else {
        err[i].Add(Miss(lat, lon, g) * 1000);
      }
    });
  }
  f["cross_1km"] = err[2].Max();
  f["cross_10km"] = err[4].Max();
  return "### KREUZPEILUNG by sight distance\n\n"
         "Two observers at the given distance and at 0.7 times it from the target, 75 degrees "
         "apart as seen from it, each with the exact geodesic bearing towards the target.\n\n" +
         Table("sight distance", kSizeLabels, {{"intersection (mm)", err}}) + "\n";
}

// The intersection nearer to the target, or NaN.
double ArcMiss(double lat, double lon, double radius, double turn) {
  const GeoPoint p1 = From(lat, lon, turn, radius);
  const GeoPoint p2 = From(lat, lon, turn + 110, radius * 0.8);
  double r1, r2;
  Exact().Inverse(p1.lat, p1.lon, lat, lon, r1);
  Exact().Inverse(p2.lat, p2.lon, lat, lon, r2);
  const ArcIntersection x =
      BogenSchnitt(orbelin::kWgs84, orbelin::kBessel, p1, p2, r1, r2, nullptr);
  if (std::isnan(x.a.lat)) return std::nan("");
  return std::min(Miss(lat, lon, x.a), Miss(lat, lon, x.b));
}

std::string ArcIntersection(Figures& f) {
  std::vector<ErrorStats> by_size(kSizes.size());
  for (size_t i = 0; i < kSizes.size(); ++i) {
    ForTargets([&](double lat, double lon, double turn) {
      const double m = ArcMiss(lat, lon, kSizes[i], turn);
      if (std::isnan(m)) {
        by_size[i].AddFailure();
      } else {
        by_size[i].Add(m * 1000);
      }
    });
  }
  // Within strip 3 (7.5 to 10.5 E); the constructions never leave the first
  // point's strip.
  const std::vector<double> offsets = {0, 0.25, 0.5, 0.75, 1, 1.25, 1.49};
  const std::vector<std::string> offset_labels = {"0", "0.25", "0.5", "0.75", "1", "1.25", "1.49"};
  const Geodesic bessel(6377397.155, 1 / 299.1528128);
  std::vector<ErrorStats> by_offset(offsets.size()), bessel_radii(offsets.size());
  for (size_t i = 0; i < offsets.size(); ++i) {
    for (double lat = -70; lat <= 70; lat += 5) {
      for (double turn = 0; turn < 360; turn += 30) {
        // The first centre sits offsets[i] degrees east of the meridian of strip 3.
        const double lon = 9 + offsets[i];
        GeoPoint p1{lat, lon};
        const GeoPoint t = From(lat, lon, turn, 1000);
        const GeoPoint p2 = From(t.lat, t.lon, turn + 180 - 110, 800);
        double r1, r2;
        Exact().Inverse(p1.lat, p1.lon, t.lat, t.lon, r1);
        Exact().Inverse(p2.lat, p2.lon, t.lat, t.lon, r2);
        const struct ArcIntersection x =
            BogenSchnitt(orbelin::kWgs84, orbelin::kBessel, p1, p2, r1, r2, nullptr);
        if (std::isnan(x.a.lat)) {
          by_offset[i].AddFailure();
        } else {
          by_offset[i].Add(std::min(Miss(t.lat, t.lon, x.a), Miss(t.lat, t.lon, x.b)) * 1000);
        }
        // The same with radii measured on the Bessel ellipsoid, where the
        // construction puts the points: what the plane alone costs.
        bessel.Inverse(p1.lat, p1.lon, t.lat, t.lon, r1);
        bessel.Inverse(p2.lat, p2.lon, t.lat, t.lon, r2);
        const struct ArcIntersection y =
            BogenSchnitt(orbelin::kWgs84, orbelin::kBessel, p1, p2, r1, r2, nullptr);
        if (std::isnan(y.a.lat)) {
          bessel_radii[i].AddFailure();
        } else {
          bessel_radii[i].Add(std::min(Miss(t.lat, t.lon, y.a), Miss(t.lat, t.lon, y.b)) * 1000);
        }
      }
    }
  }
  f["arc_100m"] = by_size[0].Max();
  f["arc_1km"] = by_size[2].Max();
  return "### BOGENSCHNITT by radius and by distance from the strip's meridian\n\n"
         "Two centres at the given distance and at 0.8 times it from the target, 110 degrees "
         "apart as seen from it, with the exact WGS 84 geodesic distances as radii; the error "
         "is that of the solution nearer to the target. The radii are taken as lengths in the "
         "Gauss-Krueger plane, and two things make those differ from lengths measured on the "
         "ground: the coordinates go unchanged onto the smaller Bessel ellipsoid (no datum "
         "shift), where the same latitudes and longitudes lie about 1.2e-4 closer together, "
         "and the plane stretches lengths by about 1 + y^2 / (2 R^2) at a distance y from the "
         "central meridian (3.4e-4 at a strip's edge on the equator). So the error grows in "
         "proportion to the radius.\n\n"
         "By radius (targets up to 1.2 degrees from their strip's meridian):\n\n" +
         Table("radius", kSizeLabels, {{"intersection (mm)", by_size}}) +
         "\nBy degrees east of the strip's meridian (first centre; radius 1 km), with WGS 84 "
         "radii and, for comparison, with radii measured on the Bessel ellipsoid:\n\n" +
         Table("degrees off the meridian", offset_labels,
               {{"WGS 84 radii (mm)", by_offset}, {"Bessel radii (mm)", bessel_radii}}) +
         "\n";
}

}  // namespace

std::string ConstructionsSection(Figures& f) {
  return "## Plane constructions: CENTER, KREUZPEILUNG, BOGENSCHNITT\n\n"
         "These work with straight lines and plane distances in the Gauss-Krueger plane of "
         "the first point's strip. Targets from 70 S to 70 N, up to 1.2 degrees from a strip's "
         "central meridian.\n\n" +
         Center(f) + CrossBearing(f) + ArcIntersection(f);
}

}  // namespace orbelin::accuracy
