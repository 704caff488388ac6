#include "output/coord_writers.h"

#include <cstdio>

#include "base/int_conversion.h"
#include "base/maths.h"
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
  double d = maths::floor(x);
  double m = (x - d) * 60;
  if (FitsInt(d)) {
    out.Printf("%c %d %.4f", letter, static_cast<int>(d), m);
  } else {
    out.Printf("%c %.0f %.4f", letter, d, m);  // beyond int: same digits, no wrap-around
  }
}

// One half of a geocaching or DMS text. `units` is how many of the last
// digit make a degree (60000 thousandths of a minute, 36000 tenths of a
// second); rounding once in those units carries 59.9996' into the degree.
std::string HalfText(double value, char positive, char negative, int degree_digits, bool dms) {
  char text[400];
  const double units = dms ? 36000.0 : 60000.0;
  // Half away from zero, as the window's copy has always rounded.
  const double count = maths::round(maths::fabs(value) * units);
  if (!maths::isfinite(count)) {  // NaN, an infinity, or beyond 1e303 degrees
    std::snprintf(text, sizeof text, "%c %.0f\xB0", value < 0 ? negative : positive,
                  maths::fabs(value));
    return text;
  }
  const char hemisphere = value < 0 && count != 0 ? negative : positive;
  double degrees = maths::floor(count / units);
  double rest = maths::fmod(count, units);  // exact while count is below 2^53
  if (count >= 9007199254740992.0) {
    // So many units that the product lost the fraction: take it from the
    // value itself, whose own fraction is exact.
    degrees = maths::floor(maths::fabs(value));
    rest = maths::round((maths::fabs(value) - degrees) * units);
    if (rest >= units) {
      degrees += 1;
      rest = 0;
    }
  }
  const int units_left = static_cast<int>(rest);
  if (dms) {
    std::snprintf(text, sizeof text, "%c %0*.0f\xB0 %02d' %02d.%d\"", hemisphere, degree_digits,
                  degrees, units_left / 600, units_left % 600 / 10, units_left % 10);
  } else {
    std::snprintf(text, sizeof text, "%c %0*.0f\xB0 %02d.%03d", hemisphere, degree_digits, degrees,
                  units_left / 1000, units_left % 1000);
  }
  return text;
}

}  // namespace

std::string GeocacheText(double lat, double lon) {
  return HalfText(lat, 'N', 'S', 2, false) + " " + HalfText(lon, 'E', 'W', 3, false);
}

std::string DmsText(double lat, double lon) {
  return HalfText(lat, 'N', 'S', 2, true) + " " + HalfText(lon, 'E', 'W', 3, true);
}

void WriteGC(TextSink& out, double lat, double lon) {
  out.Write(GeocacheText(lat, lon));
}

void WriteDMS(TextSink& out, double lat, double lon) {
  out.Write(DmsText(lat, lon));
}

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
  double z = maths::trunc(zone);
  char band_char = static_cast<char>(LowByte(band));
  char east = easting < 0 ? 'W' : 'E';
  char north = northing < 0 ? 'S' : 'N';
  if (FitsInt(z)) {
    out.Printf("UTM: %d%c %c %.0f %c %.0f", static_cast<int>(z), band_char, east,
               maths::fabs(easting), north, maths::fabs(northing));
  } else {
    out.Printf("UTM: %.0f%c %c %.0f %c %.0f", z, band_char, east, maths::fabs(easting), north,
               maths::fabs(northing));
  }
}

}  // namespace orbelin
