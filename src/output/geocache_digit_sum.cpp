#include "output/geocache_digit_sum.h"

#include <limits>
#include <string>

#include "base/maths.h"
#include "output/coord_writers.h"

namespace orbelin {

namespace {

double Digits(const std::string& text) {
  double sum = 0;
  for (char c : text) {
    if (c >= '0' && c <= '9') sum += c - '0';
  }
  return sum;
}

}  // namespace

double GeocacheDigitSum(double lat, double lon) {
  return GeocacheDigitSum(lat) + GeocacheDigitSum(lon);
}

double GeocacheDigitSum(double coordinate) {
  if (!maths::isfinite(coordinate)) return std::numeric_limits<double>::quiet_NaN();
  // The latitude's form: the longitude's has one leading zero more, which
  // adds nothing.
  return Digits(GeocacheLatText(coordinate));
}

}  // namespace orbelin
