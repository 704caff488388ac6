// The summary at the top of the report: one paragraph per function, quoting
// the measured maxima.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "sections.h"

namespace orbelin::accuracy {

namespace {

// A length given in millimetres, in a unit that reads well.
std::string Length(double mm) {
  char buf[64];
  if (mm < 10) {
    std::snprintf(buf, sizeof buf, "%.2g mm", mm);
  } else if (mm < 1000) {
    std::snprintf(buf, sizeof buf, "%.0f mm", mm);
  } else {
    std::snprintf(buf, sizeof buf, "%.1f m", mm / 1000);
  }
  return buf;
}

std::string Number(double x) {
  char buf[64];
  std::snprintf(buf, sizeof buf, x < 10 ? "%.2g" : "%.0f", x);
  return buf;
}

// A ratio near 1, where the digits after the point matter.
std::string Ratio(double x) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.4f", x);
  return buf;
}

}  // namespace

std::string Summary(const Figures& f) {
  auto at = [&](const char* key) { return f.at(key); };
  std::string s = "## How far to trust each function\n\n";
  s += "- **CP** (distance and azimuth): within " + Length(at("cp_max_mm")) + " and " +
       Number(at("cp_az_max")) +
       "\" of the exact geodesic for every pair it answers, up to half the globe. For pairs "
       "whose second point lies within about " +
       Number(at("cp_fail_km")) +
       " km of the first one's antipode the iteration may not settle within its 99 steps; "
       "CP then stores NaN for both values rather than a wrong answer.\n";
  s += "- **DISTVINCENTY**: within " + Length(at("vin_max_mm")) +
       " (it cuts to the millimetre below). It gives up sooner than CP: -1 for many pairs "
       "within about " +
       Number(at("vin_fail_km")) + " km of the antipode.\n";
  s += "- **CBP**: the end point is within " + Length(at("cbp_max_mm")) +
       " of the exact one for any distance up to half the globe.\n";
  s += "- **GPS2UTM**: a truncated series, good near the central meridian only: at most " +
       Length(at("utm_fwd_1")) + " within 1 degree of it, " + Length(at("utm_fwd_2")) +
       " within 2 degrees, " + Length(at("utm_fwd_3")) + " at the zone edge (3 degrees).\n";
  s += "- **UTM2GPS** (and PROJUTMLAT/PROJUTMLON, which convert back with it): at most " +
       Length(at("utm_inv_1")) + " within 1 degree, " + Length(at("utm_inv_2")) +
       " within 2 degrees, " + Length(at("utm_inv_3")) + " at 3 degrees, " +
       Length(at("utm_inv_6")) +
       " for eastings 6 degrees out. DISTUTM and BEARINGUTM are plane quantities of the grid, "
       "not geodesic ones, and mean nothing for points in different zones.\n";
  s += "- **GPS2GK / GK2GPS**: within " + Length(at("gk_fwd_strip")) + " / " +
       Length(at("gk_inv_strip")) + " inside the strip (1.5 degrees), up to " +
       Length(at("gk_fwd_3")) + " / " + Length(at("gk_inv_3")) +
       " at 3 degrees in a neighbouring strip, " + Length(at("gk_inv_6")) +
       " (back conversion) at 6 degrees; beyond 500 km from the meridian GK2GPS reads the "
       "wrong strip from R. These figures are for the Bessel ellipsoid itself: no datum shift "
       "is applied, so a GPS (WGS 84) position converted with GPS2GK differs from the official "
       "grid reference of the same place by the datum shift, which the next line measures.\n";
  if (std::isnan(at("dhdn_worst"))) {
    s += "- **GPS2DHDN / DHDN2GPS**: not measured here (cs2cs with the BETA2007 grid is not "
         "installed).\n";
  } else {
    char worst[32];
    std::snprintf(worst, sizeof worst, "%.2f m", at("dhdn_worst"));
    s += "- **GPS2DHDN / DHDN2GPS**: with the datum shift to DHDN, within " + std::string(worst) +
         " of the official grid shift BETA2007 at every place measured across Germany and at "
         "its borders, where GPS2GK alone is " +
         Number(at("dhdn_gk_min")) + " to " + Number(at("dhdn_gk_max")) + " m off.\n";
  }
  {
    char mgrs[400];
    std::snprintf(mgrs, sizeof mgrs,
                  "- **GPS2MGRS / WMGRS / MGRS2GPS**: the same MGRS text as GeographicLib's "
                  "GeoConvert at every precision from 100 km to 1 m (%.0f differences in %.0f "
                  "points times six precisions), with the Norway and Svalbard zones and UPS in "
                  "the polar caps; the numbers within %.2g nm.\n",
                  at("mgrs_disagreements"), at("mgrs_points"), at("mgrs_numbers_nm"));
    s += mgrs;
    std::snprintf(mgrs, sizeof mgrs,
                  "- **WLOC, WGEOHASH, WPLUS** and their ways back: the text of the definition "
                  "(%.0f and %.0f differences in 10,000 positions for the locator and the "
                  "geohash); the plus code %s npm's open-location-code.\n",
                  at("locator_diff"), at("geohash_diff"),
                  std::isnan(at("plus_diff")) ? "was not compared with"
                  : at("plus_diff") == 0      ? "as"
                                              : "mostly as");
    s += mgrs;
  }
  if (std::isnan(at("lv95_max"))) {
    s += "- **The national grids**: not measured here (cs2cs is not installed).\n";
  } else {
    char grids[600];
    std::snprintf(grids, sizeof grids,
                  "- **GPS2LV95 / LV952GPS** (Swiss grid): within %.3f m of PROJ's cs2cs both "
                  "ways, everywhere in Switzerland and at its borders; the datum shift itself is "
                  "good to 1 m. **GPS2LV03 / LV032GPS** add the old survey's distortions to "
                  "LV95 less 2000 and 1000 km: within %.2f m of swisstopo's grid CHENYX06.\n",
                  at("lv95_max"), at("lv03_grid_max"));
    s += grids;
    std::snprintf(grids, sizeof grids,
                  "- **GPS2OSGB / OSGB2GPS** (British National Grid): within %.3f m of cs2cs "
                  "with the Helmert shift EPSG 1314, which EPSG gives as good to 2 m against the "
                  "official OSTN15 (not packaged by Debian); WOSGB's references as "
                  "GeographicLib's (%.0f differences).\n",
                  at("osgb_max"), at("osgb_letters"));
    s += grids;
    std::snprintf(grids, sizeof grids,
                  "- **GPS2RD / RD2GPS** (Dutch grid), **GPS2MGI / MGI2GPS** and **GPS2LAMBERT / "
                  "LAMBERT2GPS** (Austria): within %.3f, %.3f and %.3f m of cs2cs with the "
                  "Helmert shifts EPSG 15739 (1 m against the official RDNAPTRANS 2018) and 1618 "
                  "(1.5 m; in Styria cs2cs prefers a regional shift, up to %.2f m away).\n",
                  at("rd_max"), at("mgi_max"), at("lambert_max"), at("mgi_styria_max"));
    s += grids;
  }
  s += "- **CENTER, KREUZPEILUNG**: straight lines in the Gauss-Krueger plane. With points 1 "
       "km apart (for KREUZPEILUNG, bearings crossing at 75 degrees) the answer is within " +
       Length(at("center_1km")) + " (CENTER) and " + Length(at("cross_1km")) +
       " (KREUZPEILUNG); at 10 km " + Length(at("center_10km")) + " and " +
       Length(at("cross_10km")) +
       ", growing faster than the size. Bearings that cross at a shallower angle put the "
       "point further off: the tables of where the constructions stop answering give it by "
       "angle.\n";
  s += "- **BOGENSCHNITT**: takes its radii as lengths in the Gauss-Krueger plane, which "
       "differ from lengths on the ground by 1e-4 to 5e-4: up to " +
       Length(at("arc_100m")) + " for radii of 100 m and " + Length(at("arc_1km")) +
       " for 1 km, in proportion to the radius, and more where the circles cross at a narrow "
       "angle (divided by the sine of the angle).\n";
  s += "- **CENTEREXACT, KREUZPEILUNGEXACT, BOGENSCHNITTEXACT**: the same problems solved on "
       "WGS 84, with the radii as lengths on the ground: within " +
       Length(at("exact_max_mm")) +
       " of GeographicLib wherever they answer in the table of cases (puzzle circles, the "
       "cases of the report on BOGENSCHNITT's warnings, bearings over 1 to 200 km crossing at "
       "2 to 90 degrees, centres of points nearly on one line). Where sixteen digits do not "
       "fix the answer to a millimetre (points almost on one line, as three points 2 km apart "
       "on a circle of 1000 km; bearings or circles crossing at a few thousandths of a degree) "
       "they refuse with error E122 and say how far the rounding may move it. In field use "
       "(points spread over half a degree of their circle or more, lines and circles of up to "
       "30 km crossing at a tenth of a degree or more) they answer.\n";
  const double field_withheld = at("bound_cross_field_withheld") +
                                at("bound_center_field_withheld") + at("bound_arc_field_withheld");
  s +=
      "- **Where they stop**: CENTER, KREUZPEILUNG and BOGENSCHNITT measure their answer "
      "against the exact one and give NaN in every output when it lies more than 1 km off; "
      "where the bound decides (errors of 10 m to 10 km) their measure lies within " +
      Number(100 * std::max(1 - std::min({at("bound_cross_ratio_min"), at("bound_center_ratio_min"),
                                          at("bound_arc_ratio_min")}),
                            std::max({at("bound_cross_ratio_max"), at("bound_center_ratio_max"),
                                      at("bound_arc_ratio_max")}) -
                                1)) +
      " % of GeographicLib's. The worst answers given in the tests below are off by " +
      Length(at("bound_cross_given") * 1000) + " (KREUZPEILUNG), " +
      Length(at("bound_center_given") * 1000) + " (CENTER) and " +
      Length(at("bound_arc_given") * 1000) +
      " (BOGENSCHNITT). Nearly parallel bearings, nearly collinear points, circles that barely "
      "cross and sizes of some 100 km and more are withheld; " +
      (field_withheld == 0 ? std::string("no case") : Number(field_withheld) + " cases") +
      " of field work (sights and radii up to 30 km, lines and circles crossing at 10 degrees "
      "or more, points spread over 23 degrees of their circle or more) " +
      (field_withheld == 0 ? "is" : "are") + ".\n";
  s += "- **Warnings**: when a plane answer lies more than 10 m from the exact one on WGS 84, "
       "the statement gives it with a warning that states the measured distance and the exact "
       "answer (\"BOGENSCHNITT: these answers lie 33.8 m and 33.8 m from the exact crossings "
       "on the ellipsoid, N 49\u00b0 30.000 E 008\u00b0 18.072 and ...\"); in the table of "
       "cases every such answer is warned, none within 10 m is, and the stated distances lie "
       "within " +
       Ratio(at("stated_ratio_min")) + " - " + Ratio(at("stated_ratio_max")) +
       " of GeographicLib's. BOGENSCHNITT counts circles as meeting when they meet in the "
       "plane or on Bessel's ellipsoid: circles that just miss each other in the plane while "
       "they meet there give the plane's touching point for both solutions.\n\n"
       "Every figure is a maximum over the grids below; the tables give medians and maxima by "
       "distance.\n\n";
  return s;
}

}  // namespace orbelin::accuracy
