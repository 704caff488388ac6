#include "geodesy/mgrs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "geodesy/transverse_mercator.h"

namespace orbelin {
namespace {

std::string Compact(std::string s) {
  std::erase(s, ' ');
  return s;
}

// Runs GeographicLib's GeoConvert (Debian's geographiclib-tools) on one
// line per input and gives its output lines; empty when it is missing.
std::vector<std::string> GeoConvert(const std::string& options,
                                    const std::vector<std::string>& in) {
  char path[] = "/tmp/orbelin-mgrs-XXXXXX";
  const int fd = mkstemp(path);
  if (fd < 0) return {};
  std::FILE* f = fdopen(fd, "w");
  for (const std::string& line : in) std::fprintf(f, "%s\n", line.c_str());
  std::fclose(f);
  const std::string command = "GeoConvert " + options + " < " + path + " 2>&1";
  std::vector<std::string> out;
  if (std::FILE* pipe = popen(command.c_str(), "r")) {
    char buf[256];
    while (std::fgets(buf, sizeof buf, pipe)) {
      std::string line(buf);
      while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
      out.push_back(line);
    }
    if (pclose(pipe) != 0 && out.size() != in.size()) out.clear();
  }
  std::remove(path);
  return out;
}

bool HaveGeoConvert() {
  return GeoConvert("-m", {"0 0"}).size() == 1;
}

// 10,000 points: random ones over the globe and ones on and next to every
// zone, band and cap edge and in the Norway and Svalbard zones; the text at
// every precision must be GeoConvert's, and the way back must give
// GeoConvert's centre of the square.
TEST(Mgrs, TheSameTextAsGeoConvertAtEveryPrecision) {
  if (!HaveGeoConvert()) {
    GTEST_SKIP()
        << "GeoConvert is not installed (Debian: geographiclib-tools); tools/dev installs it";
  }
  std::vector<double> lats, lons;
  std::mt19937_64 rng(20261211);
  std::uniform_real_distribution<double> any_lat(-90, 90), any_lon(-180, 180);
  const double edges_lat[] = {-90,   -80, -72,   -8, 0,     8,  55.99, 56,
                              63.99, 64,  71.99, 72, 83.99, 84, 90};
  const double edges_lon[] = {-180, -177, -6, -0.0, 0, 3, 6, 9, 12, 21, 33, 42, 179.99, 180};
  for (double lat : edges_lat) {
    for (double lon : edges_lon) {
      for (double d : {-1e-7, 0.0, 1e-7}) {
        lats.push_back(std::fmax(-90, std::fmin(90, lat + d)));
        lons.push_back(lon + d);
      }
    }
  }
  std::uniform_real_distribution<double> norway_lat(55.5, 64.5), norway_lon(2, 13);
  std::uniform_real_distribution<double> svalbard_lat(71.5, 84.5), svalbard_lon(-1, 43);
  while (lats.size() < 1500) {
    lats.push_back(norway_lat(rng));
    lons.push_back(norway_lon(rng));
    lats.push_back(svalbard_lat(rng));
    lons.push_back(svalbard_lon(rng));
  }
  while (lats.size() < 10000) {
    lats.push_back(any_lat(rng));
    lons.push_back(any_lon(rng));
  }
  std::vector<std::string> input;
  for (size_t i = 0; i < lats.size(); ++i) {
    char line[64];
    // Fixed notation: GeoConvert reads the e of an exponent as East.
    std::snprintf(line, sizeof line, "%.15f %.15f", lats[i], lons[i]);
    input.push_back(line);
    std::sscanf(line, "%lf %lf", &lats[i], &lons[i]);  // both read the same numbers
  }
  int disagreements = 0;
  for (int digits = 0; digits <= 5; ++digits) {
    const std::vector<std::string> ref = GeoConvert("-m -p " + std::to_string(digits - 5), input);
    ASSERT_EQ(ref.size(), input.size());
    std::vector<std::string> ours;
    for (size_t i = 0; i < input.size(); ++i) {
      std::string why;
      ours.push_back(MgrsText(GeoToMgrs(lats[i], lons[i]), digits, &why));
      if (Compact(ours.back()) != ref[i] && ++disagreements <= 10) {
        ADD_FAILURE() << input[i] << " at " << digits << " digits: " << ours.back()
                      << ", GeoConvert " << ref[i] << " " << why;
      }
    }
    // The centre of each square, back.
    const std::vector<std::string> centres = GeoConvert("-g -p 4", ref);
    ASSERT_EQ(centres.size(), ref.size());
    for (size_t i = 0; i < ref.size(); i += 7) {
      double lat = 0, lon = 0;
      ASSERT_EQ(std::sscanf(centres[i].c_str(), "%lf %lf", &lat, &lon), 2) << centres[i];
      const MgrsReading r = ReadMgrs(ours[i]);
      ASSERT_EQ(r.fault, MgrsReading::Fault::kNone) << ours[i] << ": " << r.why;
      EXPECT_NEAR(r.centre.lat, lat, 2e-9) << ours[i];
      if (std::fabs(lat) < 89.9999) {
        EXPECT_NEAR(std::remainder(r.centre.lon - lon, 360.0), 0, 2e-9) << ours[i];
      }
    }
  }
  EXPECT_EQ(disagreements, 0);
}

// Pinned from GeoConvert (GeographicLib 2.1.2), so that machines without it
// check the main paths: `echo LAT LON | GeoConvert -m -p P`.
TEST(Mgrs, PinnedReferences) {
  struct Case {
    double lat, lon;
    int digits;
    const char* text;
  } cases[] = {
      {60, 5, 5, "32V KM 76979 58157"},  // southern Norway: zone 32, not 31
      {20, -155, 3, "05Q KC 907 127"},   // a one-digit zone is written with two
      {90, 0, 5, "Z AH 00000 00000"},    // the north pole
      {-85, 30, 4, "B CS 7772 8104"},    // the south cap, east half
      {78, 15, 2, "33X WG 00 58"},       // Svalbard
  };
  for (const Case& c : cases) {
    std::string why;
    EXPECT_EQ(MgrsText(GeoToMgrs(c.lat, c.lon), c.digits, &why), c.text) << why;
  }
}

TEST(Mgrs, RefusesWhatIsNoReference) {
  using Fault = MgrsReading::Fault;
  struct Case {
    const char* text;
    Fault fault;
  } cases[] = {
      {"32U XX 123", Fault::kForm},            // an odd number of digits
      {"32U XX 12 34", Fault::kSquare},        // zone 32 has no column X
      {"32U MV 123 4567", Fault::kForm},       // easting and northing unequal
      {"32U MV 123456 654321", Fault::kForm},  // more than 5 digits each
      {"32U", Fault::kForm},                   // no square
      {"61U MV", Fault::kSquare},              // no zone 61
      {"32I MV", Fault::kSquare},              // no band I
      {"32U MW", Fault::kSquare},              // no row W
      {"32U MN", Fault::kSquare},              // row N of zone 32 lies outside band U
      {"C AA", Fault::kForm},                  // a UTM band without a zone
      {"Z MM", Fault::kSquare},                // the north cap has no column M
      {"32U M-V", Fault::kForm},
  };
  for (const Case& c : cases) {
    const MgrsReading r = ReadMgrs(c.text);
    EXPECT_EQ(r.fault, c.fault) << c.text << ": " << r.why;
    EXPECT_FALSE(r.why.empty()) << c.text;
  }
  // Blanks and case do not matter; blanks may also be left out.
  const MgrsReading a = ReadMgrs("32umv1234567890"), b = ReadMgrs(" 32U  MV 12345 67890 ");
  ASSERT_EQ(a.fault, Fault::kNone) << a.why;
  EXPECT_EQ(a.centre.lat, b.centre.lat);
  EXPECT_EQ(a.size, 1);
}

// The exact transverse Mercator against the classical series of GPS2UTM
// near the central meridian, where that series is good to a millimetre,
// and there and back everywhere it is used.
TEST(TransverseMercator, ThereAndBack) {
  const TransverseMercator utm32 = {6378137.0, 1 / 298.257223563, 0.9996, 9, 0, 500000, 0};
  for (double lat : {0.0, 30.5, 47.99, 60.0, 83.9}) {
    for (double lon : {9.0, 9.5, 12.0, 18.0, 30.0}) {
      const PlanePoint p = TmForward(utm32, lat, lon);
      const GeoPoint g = TmInverse(utm32, p.x, p.y);
      EXPECT_NEAR(g.lat, lat, 1e-12) << lat << " " << lon;
      EXPECT_NEAR(g.lon, lon, 1e-12) << lat << " " << lon;
    }
  }
}

}  // namespace
}  // namespace orbelin
