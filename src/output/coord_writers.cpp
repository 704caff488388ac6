#include "output/coord_writers.h"

#include <cmath>

#include "interp/int_conversion.h"
#include "interp/result_stream.h"

namespace orbelin {

namespace {

bool FitsInt(double whole) {
  return whole >= -2147483648.0 && whole <= 2147483647.0;
}

// Minutes are not carried into the degrees: 52.99999999 is "52 60.0000".
void WriteAngle(ResultStream& out, double x, char positive, char negative) {
  char letter = positive;
  if (x < 0) {
    letter = negative;
    x = -x;
  }
  if (!out.IsOpen()) return;
  double d = std::floor(x);
  double m = (x - d) * 60;
  if (FitsInt(d)) {
    out.Printf("%c %d %.4f", letter, static_cast<int>(d), m);
  } else {
    out.Printf("%c %.0f %.4f", letter, d, m);  // beyond int: same digits, no wrap-around
  }
}

}  // namespace

void WriteLat(ResultStream& out, double lat) {
  WriteAngle(out, lat, 'N', 'S');
}

void WriteLon(ResultStream& out, double lon) {
  WriteAngle(out, lon, 'E', 'W');
}

void WriteGPS(ResultStream& out, double lat, double lon) {
  out.Write("GPS: ");
  WriteLat(out, lat);
  out.Write(" ");
  WriteLon(out, lon);
}

void WriteGK(ResultStream& out, double h, double r) {
  out.Printf("GK : H %.0f R %.0f", h, r);
}

void WriteUTM(ResultStream& out, double zone, double band, double easting, double northing) {
  if (!out.IsOpen()) return;
  double z = std::trunc(zone);
  char band_char = static_cast<char>(LowByte(band));
  char east = easting < 0 ? 'W' : 'E';
  char north = northing < 0 ? 'S' : 'N';
  if (FitsInt(z)) {
    out.Printf("UTM: %d%c %c %.0f %c %.0f", static_cast<int>(z), band_char, east,
               std::fabs(easting), north, std::fabs(northing));
  } else {
    out.Printf("UTM: %.0f%c %c %.0f %c %.0f", z, band_char, east, std::fabs(easting), north,
               std::fabs(northing));
  }
}

}  // namespace orbelin
