// The grid of German maps as PROJ's cs2cs gives it, with the official grid
// shift BETA2007 (EPSG:4326 to EPSG:31466..31469, the DHDN Gauss-Krueger
// strips 2 to 5), at places across Germany and at its borders. The
// accuracy report and the DHDN test both measure GPS2DHDN and DHDN2GPS
// against it; both skip it where cs2cs is not installed (Debian's proj-bin
// and proj-data, which tools/dev installs).
#pragma once

#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <utility>

namespace orbelin::dhdn_reference {

struct Place {
  const char* name;
  double lat, lon;  // WGS 84, degrees
};

// Big cities first, then the borders and the corners of the country.
inline constexpr Place kPlaces[] = {
    {"Köln", 50.9413, 6.9583},       {"Frankfurt", 50.1109, 8.6821},
    {"Hamburg", 53.5503, 9.9930},    {"München", 48.1374, 11.5755},
    {"Berlin", 52.5163, 13.3777},    {"Dresden", 51.0504, 13.7373},
    {"Hannover", 52.3759, 9.7320},   {"Kassel", 51.3127, 9.4797},
    {"Erfurt", 50.9848, 11.0299},    {"Nürnberg", 49.4521, 11.0767},
    {"Stuttgart", 48.7758, 9.1829},  {"Leipzig", 51.3397, 12.3731},
    {"Hof", 50.3130, 11.9128},       {"Aachen", 50.7753, 6.0839},
    {"Trier", 49.7499, 6.6371},      {"Saarbrücken", 49.2402, 6.9969},
    {"Freiburg", 47.9990, 7.8421},   {"Konstanz", 47.6779, 9.1732},
    {"Zugspitze", 47.4211, 10.9853}, {"Passau", 48.5667, 13.4319},
    {"Görlitz", 51.1528, 14.9872},   {"Frankfurt (Oder)", 52.3471, 14.5506},
    {"Stralsund", 54.3091, 13.0818}, {"Rostock", 54.0924, 12.0991},
    {"Flensburg", 54.7937, 9.4469},  {"Sylt (Westerland)", 54.9079, 8.3033},
    {"Emden", 53.3670, 7.2061},
};

// The strip the place lies in: floor((lon + 1.5) / 3).
inline int StripOf(double lon) {
  return static_cast<int>(std::floor((lon + 1.5) / 3));
}

// Runs cs2cs on one pair of numbers ("lat lon" for EPSG:4326, "H R" for
// the strips) and gives its first two numbers, or nothing when cs2cs is
// missing or answers something else.
inline std::optional<std::pair<double, double>> Cs2cs(const std::string& from,
                                                      const std::string& to, double a, double b) {
  char command[256];
  std::snprintf(command, sizeof command, "echo '%.10f %.10f' | cs2cs -f %%.6f %s %s 2>/dev/null", a,
                b, from.c_str(), to.c_str());
  std::FILE* pipe = popen(command, "r");
  if (pipe == nullptr) return std::nullopt;
  double x = 0, y = 0;
  const int n = std::fscanf(pipe, "%lf %lf", &x, &y);
  const int status = pclose(pipe);
  if (n != 2 || status != 0 || !std::isfinite(x) || !std::isfinite(y)) return std::nullopt;
  return std::make_pair(x, y);
}

inline std::string StripCrs(int strip) {
  return "EPSG:" + std::to_string(31464 + strip);
}

// The map's grid value of a place: Hochwert, Rechtswert.
inline std::optional<std::pair<double, double>> MapGrid(const Place& p, int strip) {
  return Cs2cs("EPSG:4326", StripCrs(strip), p.lat, p.lon);
}

// The WGS 84 position of a grid value: latitude, longitude.
inline std::optional<std::pair<double, double>> GpsOfGrid(double h, double r, int strip) {
  return Cs2cs(StripCrs(strip), "EPSG:4326", h, r);
}

// Whether cs2cs applies the grid itself: at Frankfurt the grid and PROJ's
// fallback Helmert shifts differ by about half a metre, so the grid's value
// there, measured once, tells them apart.
inline bool GridIsApplied() {
  const auto v = MapGrid({"Frankfurt", 50.1109, 8.6821}, 3);
  return v && std::fabs(v->first - 5552790.871) < 0.01 && std::fabs(v->second - 3477335.330) < 0.01;
}

}  // namespace orbelin::dhdn_reference
