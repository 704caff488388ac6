#include "output/coord_writers.h"

#include <cmath>

#include "base/int_conversion.h"
#include "base/text_sink.h"

namespace orbelin {

namespace {

// Minutes are not carried into the degrees: 52.99999999 is "52 60.0000".
void WriteAngle(TextSink& out, double x, char positive, char negative) {
  char letter = positive;
  if (x < 0) {
    letter = negative;
    x = -x;
  }
  double d = std::floor(x);
  double m = (x - d) * 60;
  if (FitsInt(d)) {
    out.Printf("%c %d %.4f", letter, static_cast<int>(d), m);
  } else {
    out.Printf("%c %.0f %.4f", letter, d, m);  // beyond int: same digits, no wrap-around
  }
}

}  // namespace

void WriteLat(TextSink& out, double lat) {
  WriteAngle(out, lat, 'N', 'S');
}

void WriteLon(TextSink& out, double lon) {
  WriteAngle(out, lon, 'E', 'W');
}

void WriteGPS(TextSink& out, double lat, double lon) {
  out.Write("GPS: ");
  WriteLat(out, lat);
  out.Write(" ");
  WriteLon(out, lon);
}

void WriteGK(TextSink& out, double h, double r) {
  out.Printf("GK : H %.0f R %.0f", h, r);
}

void WriteUTM(TextSink& out, double zone, double band, double easting, double northing) {
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
