// Where CENTER, KREUZPEILUNG and BOGENSCHNITT stop answering. For each
// configuration the plane's own answer (CenterInPlane and its kind, which
// apply no bound) is compared with the exact answer on the ellipsoid the
// bound measures on (WGS 84 for the bearings, Bessel's for the centre and
// the circles, whose coordinates the plane takes as Bessel's), beside what
// the statement gives with the bound and what its exact twin gives on
// WGS 84. Inputs are made from a target T with GeographicLib's exact
// geodesics, as in the constructions section. Nearly degenerate shapes can
// have a second exact answer far from T (nearly coincident circles cross
// twice), so the exact answer to a plane answer X is T or the point
// Newton's method reaches from X, whichever is nearer.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "geodesy/arc_intersection.h"
#include "geodesy/center.h"
#include "geodesy/construction_error.h"
#include "geodesy/cross_bearing.h"
#include "geodesy/exact_arc_intersection.h"
#include "geodesy/exact_center.h"
#include "geodesy/exact_cross_bearing.h"
#include "reference.h"
#include "sections.h"
#include "stats.h"

namespace orbelin::accuracy {

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// The distance from the plane answer x to the nearer of T and the root.
double Miss(const Geodesic& g, const ConditionsAt& at, GeoPoint x, GeoPoint t) {
  if (!IsPoint(x)) return kInf;
  double miss = Distance(g, x, t);
  const GeoPoint root = Root(g, at, x);
  if (IsPoint(root)) miss = std::min(miss, Distance(g, x, root));
  return miss;
}

// How far the exact twin's answers lie from GeographicLib's roots on
// WGS 84, started from them; NaN when the twin gave none.
double TwinError(const ConditionsAt& at, const std::vector<GeoPoint>& twin) {
  double worst = std::nan("");
  for (const GeoPoint& x : twin) {
    if (!IsPoint(x)) return std::nan("");
    const GeoPoint root = Root(Wgs84(), at, x);
    const double e = IsPoint(root) ? Distance(Wgs84(), x, root) : kInf;
    worst = std::isnan(worst) ? e : std::max(worst, e);
  }
  return worst;
}

// The twin's answer as the statement gives it: none where the rounding of
// its computation leaves it unfixed to a millimetre (E122).
GeoPoint AsGiven(GeoPoint x, double uncertainty) {
  if (uncertainty > kExactTolerance) return {std::nan(""), std::nan("")};
  return x;
}

// One statement: its plane answers, their misses against GeographicLib,
// what the statement measured itself, whether it gave them, and how far
// its exact twin lies from GeographicLib on WGS 84.
struct Outcome {
  std::vector<double> miss;
  double measured = 0;  // the statement's own measure (the farther point)
  bool plane_answer;    // false: parallel lines, no circle, circles that miss
  bool given;
  double twin = std::nan("");  // metres; NaN: the twin gave no answer
};

class Row {
 public:
  void Add(const Outcome& o) {
    ++cases_;
    if (std::isnan(o.twin)) {
      ++twin_none_;
    } else {
      twin_max_ = std::max(twin_max_, o.twin);
    }
    if (!o.plane_answer) {
      ++none_;
      return;
    }
    const double worst = *std::max_element(o.miss.begin(), o.miss.end());
    for (double m : o.miss) {
      plane_.Add(m);
      if (o.given) given_max_ = std::max(given_max_, m);
    }
    // How well the statement's own measure agrees with GeographicLib's
    // where the bound decides, 10 m to 10 km, and the exact answer is good
    // to a centimetre (not for shapes at the limit of doubles).
    if (std::min(worst, o.measured) >= 10 && std::max(worst, o.measured) <= 1e4 && o.twin < 0.01) {
      ratio_min_ = std::min(ratio_min_, o.measured / worst);
      ratio_max_ = std::max(ratio_max_, o.measured / worst);
    }
    if (!o.given) {
      ++withheld_;
      if (worst <= kErrorBound) ++needless_;
    }
  }
  void Merge(const Row& r) {
    cases_ += r.cases_;
    none_ += r.none_;
    withheld_ += r.withheld_;
    needless_ += r.needless_;
    twin_none_ += r.twin_none_;
    plane_.Merge(r.plane_);
    given_max_ = std::max(given_max_, r.given_max_);
    twin_max_ = std::max(twin_max_, r.twin_max_);
    ratio_min_ = std::min(ratio_min_, r.ratio_min_);
    ratio_max_ = std::max(ratio_max_, r.ratio_max_);
  }
  int withheld() const { return withheld_; }
  int needless() const { return needless_; }
  double given_max() const { return given_max_; }
  double ratio_min() const { return ratio_min_; }
  double ratio_max() const { return ratio_max_; }

  std::string Cells() const {
    std::string ratio = "-";
    if (ratio_max_ > 0) ratio = Figure(ratio_min_) + " - " + Figure(ratio_max_);
    return std::to_string(cases_) + " | " + std::to_string(none_) + " | " +
           Figure(plane_.Median()) + " | " + Figure(plane_.Max()) + " | " + ratio + " | " +
           std::to_string(withheld_) + " | " + std::to_string(needless_) + " | " +
           Figure(given_max_ > 0 ? given_max_ : std::nan("")) + " | " +
           Figure(cases_ > twin_none_ ? twin_max_ * 1000 : std::nan("")) + " | " +
           std::to_string(twin_none_) + " |";
  }

 private:
  int cases_ = 0, none_ = 0, withheld_ = 0, needless_ = 0, twin_none_ = 0;
  ErrorStats plane_;
  double given_max_ = 0, twin_max_ = 0;
  double ratio_min_ = kInf, ratio_max_ = 0;
};

std::string Rows(const std::string& title, const std::vector<std::string>& labels,
                 const std::vector<Row>& rows) {
  std::string out = "| " + title +
                    " | cases | no plane answer | plane answer off (m) median | max | "
                    "measured / true | withheld | of them within 1 km | largest error given (m) | "
                    "exact statement (mm) max | exact: no answer |\n"
                    "|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n";
  for (size_t i = 0; i < rows.size(); ++i) out += "| " + labels[i] + " | " + rows[i].Cells() + "\n";
  return out;
}

const std::vector<double> kSizes = {1e3, 1e4, 3e4, 1e5, 3e5, 1e6};
const std::vector<std::string> kSizeLabels = {"1 km",   "10 km",  "30 km",
                                              "100 km", "300 km", "1000 km"};
constexpr size_t kFieldSizes = 3;   // up to 30 km
constexpr size_t kFieldShapes = 2;  // the first two shapes of each list

// A size by shape grid of outcomes; shape 0 and 1 are those of field work.
struct Grid {
  std::vector<std::vector<Row>> cells;  // [size][shape]
  Grid(size_t shapes) : cells(kSizes.size(), std::vector<Row>(shapes)) {}
  Row BySize(size_t size) const {
    Row r;
    for (size_t s = 0; s < kFieldShapes; ++s) r.Merge(cells[size][s]);
    return r;
  }
  Row ByShape(size_t shape) const {
    Row r;
    for (size_t s = 0; s < kFieldSizes; ++s) r.Merge(cells[s][shape]);
    return r;
  }
  Row All() const {
    Row r;
    for (const auto& row : cells) {
      for (const Row& c : row) r.Merge(c);
    }
    return r;
  }
};

// Targets from 85 S to 85 N, up to 2.8 degrees either side of strip
// meridians across the globe; odd turns for the mirrored shape.
template <typename F>
void ForTargets(F f) {
  int n = 0;
  for (double lat = -85; lat <= 85; lat += 10) {
    for (double off = -2.8; off <= 2.81; off += 1.4) {
      for (int turn = 0; turn < 4; ++turn) {
        const double lon = 3.0 * ((n * 7) % 100 - 50) + off;
        ++n;
        f(GeoPoint{lat, lon}, 90.0 * turn + 17, turn % 2 == 1);
      }
    }
  }
}

std::string Section(const std::string& heading, const std::string& intro,
                    const std::string& shape_title, const std::vector<std::string>& shape_labels,
                    const Grid& grid) {
  std::vector<Row> by_size, by_shape;
  for (size_t i = 0; i < kSizes.size(); ++i) by_size.push_back(grid.BySize(i));
  for (size_t i = 0; i < shape_labels.size(); ++i) by_shape.push_back(grid.ByShape(i));
  return "### " + heading + "\n\n" + intro + "\n\nBy size, in the two shapes of field work (" +
         shape_labels[0] + " and " + shape_labels[1] + "):\n\n" +
         Rows("size", kSizeLabels, by_size) + "\nBy shape, sizes up to 30 km:\n\n" +
         Rows(shape_title, shape_labels, by_shape) + "\n";
}

// The figures the summary quotes for one construction, named bound_KEY_...:
// the worst answer given, the range of the statement's measure over the
// true error, and how many field-size cases were withheld.
void Summarise(Figures& f, const std::string& key, const Grid& grid) {
  const Row all = grid.All();
  f["bound_" + key + "_given"] = all.given_max();
  f["bound_" + key + "_ratio_min"] = all.ratio_min();
  f["bound_" + key + "_ratio_max"] = all.ratio_max();
  f["bound_" + key + "_needless"] = all.needless();
  int field_withheld = 0;
  for (size_t s = 0; s < kFieldSizes; ++s) field_withheld += grid.BySize(s).withheld();
  f["bound_" + key + "_field_withheld"] = field_withheld;
}

void Check(bool given, double measured, const char* what) {
  if (given != (measured <= kErrorBound)) {
    std::fprintf(stderr, "%s: the statement %s an answer measured %g m off\n", what,
                 given ? "gave" : "withheld", measured);
  }
}

std::string Cross(Figures& f) {
  const std::vector<double> angles = {90, 10, 1, 0.1, 0.01, 0.001};
  const std::vector<std::string> labels = {"90", "10", "1", "0.1", "0.01", "0.001"};
  Grid grid(angles.size());
  for (size_t i = 0; i < kSizes.size(); ++i) {
    for (size_t a = 0; a < angles.size(); ++a) {
      ForTargets([&](GeoPoint t, double turn, bool mirrored) {
        // Observers on one side of T, or on both (bearings nearly opposite).
        const GeoPoint o1 = From(Wgs84(), t, turn, kSizes[i]);
        const GeoPoint o2 =
            From(Wgs84(), t, turn + (mirrored ? 180 - angles[a] : angles[a]), 0.7 * kSizes[i]);
        const double b1 = Azimuth(Wgs84(), o1, t), b2 = Azimuth(Wgs84(), o2, t);
        const GeoPoint x =
            CrossBearingInPlane(kWgs84, kBessel, o1.lat, o1.lon, b1, o2.lat, o2.lon, b2, nullptr);
        CrossBearingReport report;
        const GeoPoint given =
            CrossBearing(kWgs84, kBessel, o1.lat, o1.lon, b1, o2.lat, o2.lon, b2, nullptr, &report);
        const ConditionsAt at = CrossConditions(Wgs84(), o1, b1, o2, b2);
        Outcome o;
        o.plane_answer = !std::isnan(x.lat);
        o.given = !std::isnan(given.lat);
        const GeodesicCrossing twin =
            IntersectGeodesics(kWgs84, o1.lat, o1.lon, b1, o2.lat, o2.lon, b2);
        o.twin = TwinError(at, {AsGiven(twin.x, twin.uncertainty)});
        if (o.plane_answer) {
          o.miss = {Miss(Wgs84(), at, x, t)};
          o.measured = report.off;
          Check(o.given, o.measured, "KREUZPEILUNG");
        }
        grid.cells[i][a].Add(o);
      });
    }
  }
  Summarise(f, "cross", grid);
  return Section("KREUZPEILUNG",
                 "Observers at the given sight distance and at 0.7 times it from the target, each "
                 "with the exact WGS 84 bearing towards it; the shape is the angle in degrees at "
                 "which the bearing lines cross, with the observers on one side of the target "
                 "and, for half the targets, on both sides (bearings nearly opposite).",
                 "angle between the lines", labels, grid);
}

std::string Center(Figures& f) {
  const std::vector<double> arcs = {230, 23, 2.3, 0.23, 0.023, 0.0023};
  const std::vector<std::string> labels = {"230", "23", "2.3", "0.23", "0.023", "0.0023"};
  Grid grid(arcs.size());
  for (size_t i = 0; i < kSizes.size(); ++i) {
    for (size_t a = 0; a < arcs.size(); ++a) {
      ForTargets([&](GeoPoint t, double turn, bool mirrored) {
        const double sweep = mirrored ? -arcs[a] : arcs[a];
        const GeoPoint p1 = From(Bessel(), t, turn, kSizes[i]);
        const GeoPoint p2 = From(Bessel(), t, turn + sweep * 100 / 230, kSizes[i]);
        const GeoPoint p3 = From(Bessel(), t, turn + sweep, kSizes[i]);
        const GeoPoint x = CenterInPlane(kBessel, p1, p2, p3, nullptr);
        CenterReport report;
        const GeoPoint given = orbelin::Center(kWgs84, kBessel, p1, p2, p3, nullptr, &report);
        const ConditionsAt at = CenterConditions(Bessel(), p1, p2, p3);
        Outcome o;
        o.plane_answer = !std::isnan(x.lat);
        o.given = !std::isnan(given.lat);
        const GeodesicCentre twin = CentreOnEllipsoid(kWgs84, p1, p2, p3);
        o.twin = TwinError(CenterConditions(Wgs84(), p1, p2, p3),
                           {AsGiven(twin.centre, twin.uncertainty)});
        if (o.plane_answer) {
          o.miss = {Miss(Bessel(), at, x, t)};
          o.measured = report.own_off;
          Check(o.given, o.measured, "CENTER");
        }
        grid.cells[i][a].Add(o);
      });
    }
  }
  Summarise(f, "center", grid);
  return Section("CENTER",
                 "Three points at the given geodesic distance (the radius) from the target on the "
                 "Bessel ellipsoid; the shape is the arc of their circle, in degrees, over which "
                 "they spread: the smaller, the more nearly collinear they are.",
                 "arc spanned (degrees)", labels, grid);
}

std::string Arc(Figures& f) {
  const std::vector<double> angles = {90, 10, 1, 0.1, 0.01, 0.001};
  const std::vector<std::string> labels = {"90", "10", "1", "0.1", "0.01", "0.001"};
  Grid grid(angles.size());
  for (size_t i = 0; i < kSizes.size(); ++i) {
    for (size_t a = 0; a < angles.size(); ++a) {
      ForTargets([&](GeoPoint t, double turn, bool mirrored) {
        // The circles cross at T at the given angle: the centres seen from
        // T that far apart (nearly concentric), or that far from opposite.
        const GeoPoint p1 = From(Bessel(), t, turn, kSizes[i]);
        const GeoPoint p2 =
            From(Bessel(), t, turn + (mirrored ? 180 - angles[a] : angles[a]), 0.7 * kSizes[i]);
        const double r1 = Distance(Bessel(), p1, t), r2 = Distance(Bessel(), p2, t);
        const ArcIntersection x = BogenSchnittInPlane(kBessel, p1, p2, r1, r2, nullptr);
        ArcIntersectionReport report;
        const ArcIntersection given =
            BogenSchnitt(kWgs84, kBessel, p1, p2, r1, r2, nullptr, &report);
        const ConditionsAt at = CircleConditions(Bessel(), p1, p2, r1, r2);
        Outcome o;
        o.plane_answer = !std::isnan(x.a.lat);
        o.given = !std::isnan(given.a.lat);
        const GeodesicCircles twin = IntersectGeodesicCircles(kWgs84, p1, p2, r1, r2);
        o.twin = TwinError(CircleConditions(Wgs84(), p1, p2, r1, r2),
                           {AsGiven(twin.a, twin.uncertainty), AsGiven(twin.b, twin.uncertainty)});
        if (o.plane_answer) {
          for (GeoPoint p : {x.a, x.b}) o.miss.push_back(Miss(Bessel(), at, p, t));
          o.measured = report.own_off;
          Check(o.given, o.measured, "BOGENSCHNITT");
        }
        grid.cells[i][a].Add(o);
      });
    }
  }
  Summarise(f, "arc", grid);
  return Section("BOGENSCHNITT",
                 "Centres at the given geodesic distance and at 0.7 times it from the target on "
                 "the Bessel ellipsoid, with those distances as radii; the shape is the angle in "
                 "degrees at which the circles cross at the target, with the centres nearly in "
                 "line on one side of it (nearly concentric circles) or, for half the targets, on "
                 "both sides (nearly touching ones). Both points of a statement count; circles "
                 "that miss each other in the plane give no plane answer.",
                 "crossing angle", labels, grid);
}

}  // namespace

std::string BoundsSection(Figures& f) {
  return "## Where the constructions stop answering\n\n"
         "CENTER, KREUZPEILUNG and BOGENSCHNITT measure how far their answer lies from the "
         "exact one, which they solve on the ellipsoid (the twins' solvers), and give NaN in "
         "every output when that passes 1 km or no exact answer is found. The bound measures "
         "where the construction itself breaks down, so it measures on the ellipsoid the "
         "construction works on: WGS 84 for KREUZPEILUNG, whose sights are WGS 84 geodesics, and "
         "Bessel's for CENTER and BOGENSCHNITT, whose coordinates the plane takes as Bessel's "
         "(their warnings then measure on WGS 84, the previous section). Here the plane's "
         "unchecked answer is compared with GeographicLib's exact one on that ellipsoid: the "
         "target the inputs were made from or, for a second exact answer far from it (nearly "
         "coincident circles cross twice), the root Newton's method reaches from the plane "
         "answer, whichever is nearer. The bound, 1 km or about half a minute of latitude, lies "
         "three orders of magnitude above the errors of field work and below the size at which "
         "a wrong answer still looks plausible. Targets from 85 S to 85 N, up to 2.8 degrees "
         "either side of strip meridians; configurations approach degeneracy and grow to "
         "1000 km. \"no plane answer\": parallel lines, collinear points or circles that miss, "
         "NaN before any bound. \"measured / true\": the range of the statement's own measure "
         "over GeographicLib's where both are 10 m to 10 km, the range in which the bound "
         "decides. \"withheld\": statements the bound turned into NaN; \"of them within 1 km\": "
         "those whose answers were in fact good to 1 km. \"largest error given\": the worst "
         "answer that passed. \"exact statement\": the exact twin on WGS 84 (CENTEREXACT, "
         "KREUZPEILUNGEXACT, BOGENSCHNITTEXACT) against GeographicLib's root on WGS 84 from its "
         "answer, the worst point; \"exact: no answer\": where the twin gave none (circles that "
         "miss on WGS 84 while they meet on Bessel's ellipsoid, bearings so nearly parallel that "
         "they cross nowhere near) or refused it as not fixed to a millimetre (error E122: "
         "points almost on one line, lines or circles crossing at a few thousandths of a "
         "degree). Reproduce with `build/tools/accuracy/geodesy-accuracy "
         "docs/accuracy.md`.\n\n" +
         Cross(f) + Center(f) + Arc(f);
}

}  // namespace orbelin::accuracy
