// The error estimates of the constructions, against exact answers: each set
// of given points was made with GeographicLib from a known point T (points
// at exact geodesic distances and azimuths from T, exact bearings and
// distances towards it), so T is the exact answer. Moved off T by a known
// distance, X must be estimated that far off.
#include "geodesy/construction_error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "geodesy/gauss_krueger.h"
#include "geodesy/geodesic_direct.h"
#include "traced.h"

namespace orbelin {
namespace {

constexpr GeoPoint kT = {50.2, 10.1};

struct Estimate {
  const char* what;
  const Ellipsoid* surface;
  std::function<double(GeoPoint)> error;
};

const Estimate kEstimates[] = {
    {"cross bearing: sights of 30 and 25 km, 75 degrees apart", &kWgs84,
     [](GeoPoint x) {
       return CrossBearingError(kWgs84, 49.9464669573, 9.9570459129, 19.8903731637, 50.2190646532,
                                9.7510417444, 94.7318636190, x);
     }},
    {"centre: a circle of 20 km", &kBessel.surface,
     [](GeoPoint x) {
       return CenterError(kBessel.surface, {50.3689365084, 10.1961581486},
                          {50.2308980700, 10.3760771756}, {50.0621066367, 9.9204369004}, x);
     }},
    {"arc intersection: radii of 30 and 20 km, 110 degrees apart", &kBessel.surface,
     [](GeoPoint x) {
       return ArcIntersectionError(kBessel.surface, {49.9464381479, 9.9570285728},
                                   {50.3153882594, 9.8848700379}, 30000, 20000, x);
     }},
};

TEST(ConstructionErrorTest, IsTheDistanceToTheExactAnswer) {
  for (const Estimate& e : kEstimates) {
    EXPECT_LT(e.error(kT), 0.01) << e.what;
    for (double shift : {30.0, 300.0, 1000.0}) {
      for (double azimuth : {0.0, 125.0, 250.0}) {
        const DirectResult x =
            CalcBackProjection(*e.surface, kT.lat, kT.lon, azimuth, shift, nullptr);
        EXPECT_NEAR(e.error({x.lat, x.lon}), shift, 0.02 * shift)
            << e.what << ", " << shift << " m at " << azimuth;
      }
    }
  }
}

TEST(ConstructionErrorTest, UnknownWhereXCannotBeMeasured) {
  for (const Estimate& e : kEstimates) {
    for (GeoPoint x :
         {GeoPoint{98.07, 9}, GeoPoint{-90.5, 9}, GeoPoint{kNaN, 9}, GeoPoint{50, kNaN}}) {
      EXPECT_EQ(e.error(x), std::numeric_limits<double>::infinity()) << e.what << " " << x.lat;
    }
    // T's antipode: no answer from the inverse problem, or a huge one.
    EXPECT_GT(e.error({-50.2, -169.9}), 1e6) << e.what;
  }
}

}  // namespace
}  // namespace orbelin
