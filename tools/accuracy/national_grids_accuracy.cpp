// The national grids against PROJ's cs2cs with the same EPSG definitions:
// at places on each country's borders and over a net of points across it,
// both ways. And what the reference itself is worth: the accuracy EPSG
// gives for its datum shift, and, where Debian's proj-data has the official
// distortion grid (Switzerland's CHENYX06), the distance to it.
#include <GeographicLib/OSGB.hpp>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "cs2cs.h"
#include "geodesy/austrian_grid.h"
#include "geodesy/british_grid.h"
#include "geodesy/dutch_grid.h"
#include "geodesy/swiss_grid.h"
#include "sections.h"
#include "stats.h"

namespace orbelin::accuracy {

namespace {

struct Place {
  const char* name;
  double lat, lon;
};

struct NationalGrid {
  std::string key;    // for the figures: "lv95"
  std::string title;  // the section's heading
  std::string crs;    // cs2cs's target
  bool north_first;   // cs2cs gives north, then east
  std::function<PlanePoint(double, double)> forward;
  std::function<GeoPoint(double, double)> inverse;
  std::vector<Place> places;
  double south, north, west, east;  // the net of points
  std::string about;                // what the reference is, and is worth
};

// Austria's grids with EPSG 1618 spelt out: cs2cs's own choice for
// EPSG:31257... and 31287 is, in Styria's bounding box, the regional EPSG
// 1619 instead.
const char* kMgiShift =
    " +ellps=bessel +towgs84=577.326,90.129,463.919,5.137,1.474,5.297,2.4232 "
    "+units=m +type=crs'";
std::string MgiCrs(int meridian) {
  const int k = (meridian - 28) / 3;
  char crs[160];
  std::snprintf(crs, sizeof crs, "'+proj=tmerc +lat_0=0 +lon_0=%.13f +k=1 +x_0=%d +y_0=-5000000",
                10 + 1 / 3.0 + 3 * k, 150000 + 300000 * k);
  return crs + std::string(kMgiShift);
}
std::string LambertCrs() {
  return std::string("'+proj=lcc +lat_0=47.5 +lon_0=13.3333333333333 +lat_1=49 +lat_2=46 ") +
         "+x_0=400000 +y_0=400000" + kMgiShift;
}

double MetresApart(double lat1, double lon1, double lat2, double lon2) {
  const double north = (lat2 - lat1) * 111200.0;
  const double east = (lon2 - lon1) * 111200.0 * std::cos(lat1 * M_PI / 180);
  return std::hypot(north, east);
}

std::vector<cs2cs::Pair> Net(const NationalGrid& g) {
  std::vector<cs2cs::Pair> net;
  for (double lat = g.south; lat <= g.north + 1e-9; lat += (g.north - g.south) / 12) {
    for (double lon = g.west; lon <= g.east + 1e-9; lon += (g.east - g.west) / 12) {
      net.push_back({lat, lon});
    }
  }
  return net;
}

cs2cs::Pair EastNorth(const NationalGrid& g, const cs2cs::Pair& p) {
  return g.north_first ? cs2cs::Pair{p.second, p.first} : p;
}

std::string Section(const NationalGrid& g, Figures& f) {
  std::string s = "## " + g.title + "\n\n" + g.about + "\n\n";
  std::vector<cs2cs::Pair> at;
  for (const Place& p : g.places) at.push_back({p.lat, p.lon});
  const std::vector<cs2cs::Pair> net = Net(g);
  at.insert(at.end(), net.begin(), net.end());
  std::vector<std::optional<cs2cs::Pair>> ref;
  if (!g.crs.empty()) {
    ref = cs2cs::Many("EPSG:4326", g.crs, at);
  } else {
    // Austria's zones: each point in the CRS of its own zone.
    ref.resize(at.size());
    for (int meridian : {28, 31, 34}) {
      std::vector<cs2cs::Pair> in;
      std::vector<size_t> index;
      for (size_t i = 0; i < at.size(); ++i) {
        if (AustrianMeridian(at[i].second) == meridian) {
          in.push_back(at[i]);
          index.push_back(i);
        }
      }
      const auto part = cs2cs::Many("EPSG:4326", MgiCrs(meridian), in);
      if (part.empty()) {
        ref.clear();
        break;
      }
      for (size_t k = 0; k < part.size(); ++k) ref[index[k]] = part[k];
    }
  }
  if (ref.empty()) {
    f[g.key + "_max"] = NAN;
    return s + "*Not measured: `cs2cs` (Debian's proj-bin and proj-data) is not installed.*\n\n";
  }
  s += "| place | WGS 84 | cs2cs east, north | forward (m) | back (m) |\n"
       "|---|---|---|---:|---:|\n";
  double worst = 0;
  std::string worst_place;
  ErrorStats net_fwd, net_back;
  for (size_t i = 0; i < at.size(); ++i) {
    if (!ref[i]) continue;
    const cs2cs::Pair en = EastNorth(g, *ref[i]);
    const PlanePoint p = g.forward(at[i].first, at[i].second);
    const double forward = std::hypot(p.x - en.first, p.y - en.second);
    const GeoPoint back_to = g.inverse(en.first, en.second);
    const double back = MetresApart(back_to.lat, back_to.lon, at[i].first, at[i].second);
    if (i < g.places.size()) {
      char row[320];
      std::snprintf(row, sizeof row, "| %s | %.4f, %.4f | %.3f, %.3f | %.4f | %.4f |\n",
                    g.places[i].name, at[i].first, at[i].second, en.first, en.second, forward,
                    back);
      s += row;
      if (std::max(forward, back) > worst) {
        worst = std::max(forward, back);
        worst_place = g.places[i].name;
      }
    } else {
      net_fwd.Add(forward);
      net_back.Add(back);
    }
  }
  worst = std::max({worst, net_fwd.Max(), net_back.Max()});
  f[g.key + "_max"] = worst;
  char tail[400];
  std::snprintf(tail, sizeof tail,
                "\nOver a net of %d points from %.2f to %.2f N and %.2f to %.2f E: forward at "
                "most %.4f m, back at most %.4f m (medians %.4f and %.4f m).\n\n",
                net_fwd.cases(), g.south, g.north, g.west, g.east, net_fwd.Max(), net_back.Max(),
                net_fwd.Median(), net_back.Median());
  return s + tail;
}

// GPS2LV03 (LV95 less 2000 and 1000 km, plus the old survey's distortions
// read from the table sampled from CHENYX06) against the grid itself, at
// points between the samples; and how far the plain difference would be.
std::string Lv03Official(Figures& f) {
  const std::string chenyx =
      "'+proj=somerc +lat_0=46.9524055555556 +lon_0=7.43958333333333 +k_0=1 +x_0=600000 "
      "+y_0=200000 +ellps=bessel +nadgrids=CHENYX06_etrs.gsb'";
  std::vector<cs2cs::Pair> net;
  for (double lat = 45.83; lat <= 47.8; lat += 0.0317) {
    for (double lon = 5.97; lon <= 10.48; lon += 0.0419) net.push_back({lat, lon});
  }
  const auto ref = cs2cs::Many("EPSG:4326", chenyx, net);
  std::string s =
      "### LV03 and the official distortion grid\n\n"
      "The official LV03 values of a place differ from LV95's by more than the 2000 and "
      "1000 km: by the old survey's distortions, up to 2 m, which swisstopo's grid CHENYX06 "
      "carries (Debian's proj-data ships it as `CHENYX06_etrs.gsb`). GPS2LV03 and LV032GPS "
      "add them from a table of the grid's values every 0.1 degree (1,300 samples, "
      "`src/geodesy/lv03_distortion.h`, written by `build/tools/accuracy/lv03-table`). "
      "Against `cs2cs EPSG:4326 +to '+proj=somerc ... +nadgrids=CHENYX06_etrs.gsb'` on a "
      "net of points between the samples across Switzerland:\n\n";
  ErrorStats with, without, back;
  for (size_t i = 0; i < net.size() && !ref.empty(); ++i) {
    if (!ref[i]) continue;
    const PlanePoint p = Wgs84ToLv03(net[i].first, net[i].second);
    with.Add(std::hypot(p.x - ref[i]->first, p.y - ref[i]->second));
    const PlanePoint plain = Wgs84ToLv95(net[i].first, net[i].second);
    without.Add(
        std::hypot(plain.x - kLv03East - ref[i]->first, plain.y - kLv03North - ref[i]->second));
    const GeoPoint g = Lv03ToWgs84(ref[i]->first, ref[i]->second);
    back.Add(MetresApart(g.lat, g.lon, net[i].first, net[i].second));
  }
  if (with.cases() == 0) {
    f["lv03_grid_max"] = NAN;
    return s + "*Not measured: cs2cs with CHENYX06 is not installed.*\n\n";
  }
  f["lv03_grid_max"] = std::max(with.Max(), back.Max());
  f["lv03_plain_max"] = without.Max();
  char line[500];
  std::snprintf(line, sizeof line,
                "%d points: GPS2LV03 median %.3f m, at most %.2f m; LV032GPS of the grid's "
                "values back to the place at most %.2f m. Without the distortions (LV95 less "
                "2000 and 1000 km, as cs2cs computes EPSG:21781 when the grid is missing) the "
                "median would be %.2f m and the maximum %.2f m.\n\n",
                with.cases(), with.Median(), with.Max(), back.Max(), without.Median(),
                without.Max());
  return s + line;
}

// WOSGB's grid references against GeographicLib's, at every precision.
std::string OsgbLetters(Figures& f) {
  int differ = 0, n = 0;
  for (double e = 500; e < 700000; e += 3517.3) {
    for (double no = 700; no < 1300000; no += 6911.9) {
      for (int digits = 0; digits <= 5; ++digits) {
        std::string ref;
        GeographicLib::OSGB::GridReference(e, no, digits, ref);
        std::string ours = OsgbReference(e, no, digits, nullptr);
        std::erase(ours, ' ');
        differ += ours != ref;
        ++n;
      }
    }
  }
  f["osgb_letters"] = differ;
  char line[300];
  std::snprintf(line, sizeof line,
                "WOSGB's grid references against GeographicLib's OSGB::GridReference, for a net "
                "of values over the whole grid at the six precisions: %d of %d differ.\n\n",
                differ, n);
  return line;
}

// Where cs2cs, asked for EPSG:31258, takes Styria's own shift: how far its
// values lie from GPS2MGI's.
std::string StyriaShift(Figures& f) {
  std::vector<cs2cs::Pair> net;
  for (double lat = 46.4; lat <= 49.02; lat += 0.1) {
    for (double lon = 11.9; lon <= 14.8; lon += 0.1) net.push_back({lat, lon});
  }
  const auto ref = cs2cs::Many("EPSG:4326", "EPSG:31258", net);
  ErrorStats d;
  int same = 0;
  for (size_t i = 0; i < net.size() && !ref.empty(); ++i) {
    if (!ref[i]) continue;
    const PlanePoint p = Wgs84ToMgiGk(net[i].first, net[i].second, 31);
    const double off = std::hypot(p.x - ref[i]->second, p.y - ref[i]->first);
    if (off < 0.01) {
      ++same;
    } else {
      d.Add(off);
    }
  }
  f["mgi_styria_max"] = d.cases() > 0 ? d.Max() : 0;
  char line[400];
  std::snprintf(line, sizeof line,
                "`cs2cs EPSG:4326 +to EPSG:31258` on a net every 0.1 degrees over M31: %d points "
                "within 1 cm of GPS2MGI (the national shift); %d where cs2cs took Styria's own "
                "shift, there a median %.2f m and at most %.2f m away.\n\n",
                same, d.cases(), d.cases() > 0 ? d.Median() : 0.0, d.cases() > 0 ? d.Max() : 0.0);
  return line;
}

}  // namespace

std::string NationalGridsSection(Figures& f) {
  const std::vector<NationalGrid> grids = {
      {"lv95",
       "Swiss grid: GPS2LV95/LV952GPS and GPS2LV03/LV032GPS against cs2cs",
       "EPSG:2056",
       false,
       Wgs84ToLv95,
       Lv95ToWgs84,
       {{"Geneva", 46.2044, 6.1432},
        {"Basel", 47.5596, 7.5886},
        {"Chiasso", 45.8326, 9.0316},
        {"Schaffhausen", 47.6960, 8.6340},
        {"Müstair", 46.6290, 10.4480},
        {"Vaduz (Liechtenstein)", 47.1410, 9.5209},
        {"Bern", 46.9480, 7.4474},
        {"Zürich", 47.3769, 8.5417}},
       45.82,
       47.81,
       5.96,
       10.49,
       "The reference is `cs2cs EPSG:4326 +to EPSG:2056` (PROJ 9.1.1): the oblique Mercator "
       "projection and the datum shift CH1903+ to WGS 84, three translations that define "
       "CH1903+ from the Swiss reference frame. EPSG gives that shift as good to 1 m, which is "
       "how far WGS 84 and the Swiss frame (ETRS89) have drifted apart; the projection is "
       "exact. Forward: distance between GPS2LV95's east, north and cs2cs's; back: distance "
       "between LV952GPS's position for cs2cs's values and the place. LV03 follows below."},
      {"osgb",
       "British National Grid: GPS2OSGB/OSGB2GPS against cs2cs",
       "EPSG:27700",
       false,
       Wgs84ToOsgb,
       OsgbToWgs84,
       {{"Land's End", 50.0664, -5.7147},
        {"Lizard Point", 49.9597, -5.2068},
        {"Dover", 51.1279, 1.3134},
        {"Lowestoft", 52.4811, 1.7534},
        {"St Davids", 51.8817, -5.2660},
        {"Douglas (Isle of Man)", 54.1500, -4.4800},
        {"Stornoway", 58.2090, -6.3880},
        {"John o' Groats", 58.6373, -3.0689},
        {"Lerwick (Shetland)", 60.1546, -1.1494},
        {"Muckle Flugga", 60.8560, -0.8850}},
       49.9,
       60.9,
       -7.6,
       1.8,
       "The reference is `cs2cs EPSG:4326 +to EPSG:27700` (PROJ 9.1.1): the transverse "
       "Mercator of the Airy ellipsoid and the Helmert shift EPSG 1314, OSGB36 to WGS 84 (6), "
       "which PROJ applies because the Ordnance Survey's official grid shift OSTN15 is not in "
       "Debian's proj-data. EPSG gives that shift as good to 2 m against OSTN15 (the Ordnance "
       "Survey's own figure for a national Helmert fit is some metres); OSTN15 is the grid's "
       "definition and is good to 0.1 m. So GPS2OSGB and OSGB2GPS agree with PROJ to the "
       "millimetre and with the official grid to about 2 m."},
      {"rd",
       "Dutch grid: GPS2RD/RD2GPS against cs2cs",
       "EPSG:28992",
       false,
       Wgs84ToRd,
       RdToWgs84,
       {{"Groningen", 53.2194, 6.5665},
        {"Rottumeroog", 53.5390, 6.5660},
        {"Den Helder", 52.9563, 4.7600},
        {"Cadzand", 51.3700, 3.3800},
        {"Maastricht", 50.8514, 5.6910},
        {"Vaals", 50.7704, 6.0185},
        {"Enschede", 52.2215, 6.8937},
        {"Amersfoort", 52.1550, 5.3875}},
       50.75,
       53.7,
       3.2,
       7.22,
       "The reference is `cs2cs EPSG:4326 +to EPSG:28992` (PROJ 9.1.1): the oblique "
       "stereographic projection on the Bessel ellipsoid and the Helmert shift EPSG 15739, "
       "Amersfoort to WGS 84 (3), which PROJ applies because the official RDNAPTRANS 2018 grid "
       "is not in Debian's proj-data. EPSG gives that shift as good to 1 m against the "
       "official one. PROJ undoes the shift's rotations by the transposed matrix, GPS2RD by "
       "the exact inverse: a few tenths of a millimetre."},
      {"mgi",
       "Austrian Gauss-Krueger grid: GPS2MGI/MGI2GPS against cs2cs",
       "",  // the zone's CRS, per place
       false,
       [](double lat, double lon) { return Wgs84ToMgiGk(lat, lon, AustrianMeridian(lon)); },
       [](double y, double x) { return MgiGkToWgs84(y, x, AustrianMeridianOfY(y)); },
       {{"Bregenz", 47.5031, 9.7471},
        {"Innsbruck", 47.2692, 11.4041},
        {"Salzburg", 47.8095, 13.0550},
        {"Klagenfurt", 46.6365, 14.3122},
        {"Gmünd", 48.7700, 14.9800},
        {"Graz", 47.0707, 15.4395},
        {"Bad Radkersburg", 46.6880, 15.9880},
        {"Vienna", 48.2082, 16.3738},
        {"Hohenau an der March", 48.6050, 16.9050}},
       46.4,
       49.02,
       9.53,
       17.17,
       "The reference is cs2cs (PROJ 9.1.1) with the definitions of EPSG:31257, 31258 and "
       "31259 (the zones M28, M31, M34) and the Helmert shift EPSG 1618, MGI to WGS 84 (3), "
       "spelt out (`+proj=tmerc ... +towgs84=577.326,...`): the transverse Mercator of the "
       "zone on the Bessel ellipsoid and the shift that EPSG gives as good to 1.5 m against "
       "the survey, for all of Austria. Each place in its own zone. Asked for EPSG:3125x "
       "itself, cs2cs prefers in Styria's bounding box the regional shift EPSG 1619 (MGI to WGS "
       "84 (8), 0.5 m, for Styria only); below, how far that lands from the national one."},
      {"lambert",
       "Austrian Lambert grid: GPS2LAMBERT/LAMBERT2GPS against cs2cs",
       LambertCrs(),
       false,
       Wgs84ToMgiLambert,
       MgiLambertToWgs84,
       {{"Bregenz", 47.5031, 9.7471},
        {"Innsbruck", 47.2692, 11.4041},
        {"Klagenfurt", 46.6365, 14.3122},
        {"Gmünd", 48.7700, 14.9800},
        {"Vienna", 48.2082, 16.3738},
        {"Hohenau an der March", 48.6050, 16.9050}},
       46.4,
       49.02,
       9.53,
       17.17,
       "The reference is cs2cs (PROJ 9.1.1) with EPSG:31287's definition and the same shift "
       "EPSG 1618 spelt out: the Lambert conformal conic projection on the Bessel "
       "ellipsoid."},
  };
  std::string s;
  for (const NationalGrid& g : grids) {
    s += Section(g, f);
    if (g.key == "lv95") s += Lv03Official(f);
    if (g.key == "osgb") s += OsgbLetters(f);
    if (g.key == "mgi") s += StyriaShift(f);
  }
  return s;
}

}  // namespace orbelin::accuracy
