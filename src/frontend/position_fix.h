// The phone's position as a script takes it: one fix (the page's Here) or
// the mean of several (Average), written where the caret stands.
//
// A fix is what the phone's location service gives: latitude and longitude
// in degrees on WGS 84 and the radius in metres within which it says the
// place lies. Averaging smooths the jitter of single fixes; it does not
// make the phone more accurate than it says, because the fixes of a minute
// share most of their error. So the accuracy written for a mean is that of
// its fixes, or their spread when that is larger.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orbelin {

struct Fix {
  double lat = 0;
  double lon = 0;
  double accuracy = 0;  // metres; 0 when not known
};

struct AveragedPosition {
  double lat = 0;
  double lon = 0;
  double spread = 0;    // root mean square of the fixes' distances from the mean, metres
  double accuracy = 0;  // metres, as written: the fixes' mean accuracy, or the spread if larger
  int fixes = 0;        // how many were taken; 0 when none was usable
};

// The mean of the fixes that are places on the Earth (the rest are left
// out); longitudes are averaged across the 180° meridian. Distances are the
// geodesic ones on WGS 84.
AveragedPosition AverageFixes(const std::vector<Fix>& fixes);

// "10 fixes, spread 2.1 m, ±6 m", as Average shows its progress.
std::string AverageText(const AveragedPosition& position);

// What Here and Average insert at the caret, given the text of the caret's
// line before and after it. On a line of its own (or after a statement's
// ';'), where a bare pair is no statement, it is the statement that makes
// the position the script's point: "OLAT = °N 48 12.345; OLON = °E 11
// 30.500;". Anywhere else, in a call or after '=', it is the pair
// "°N 48 12.345, °E 11 30.500". The accuracy follows in a comment, which
// runs nowhere: "{±7 m}", or "{±4 m, mean of 10 fixes}".
std::string PositionInsertion(double lat, double lon, double accuracy_m, int fixes,
                              std::string_view line_before_caret,
                              std::string_view line_after_caret);

}  // namespace orbelin
