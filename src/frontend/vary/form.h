// The "Try values" dialog of the window and the page: what the user typed
// into its fields, read into a plan with the same words for the same
// mistakes as `orbelin vary` uses.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "frontend/vary/plan.h"
#include "frontend/vary/runner.h"

namespace orbelin {

struct VaryForm {
  std::string source;  // the script, Windows-1252, as Calc runs it
  // One field per variable of the VAR line: its name and the values typed
  // ("0..9", "1,3,5", "0..90/5"); a field left empty is not tried.
  std::vector<std::pair<std::string, std::string>> values;
  std::string where;   // conditions separated by ';' or line breaks: "CHK=41; D=0..5"
  std::string near;    // a point ("N 48° 12.345 E 011° 30.500"), or empty
  std::string within;  // a distance ("3.2km", "2mi"), or empty
  std::string show;    // names separated by commas or blanks: "CHK, LAT"
  // A formula final as the cache page writes it, "N 48° 1A.BCD E 011°
  // 3E.FGH", run after the script; or empty. A field of one of its letters
  // that the script does not declare, left empty or not given, tries the
  // digits 0..9: such a letter is a digit, and untried it would only be 0.
  std::string final_pattern;
  std::string digit_sum;  // the digits of the final add up to this: "41", or empty
};

// The variables a dialog offers fields for: those of the script's VAR line,
// then the final's letters that the script does not declare.
std::vector<std::string> FormVariables(std::string_view source, std::string_view final_pattern);

// Reads every field and plans the search; the errors are sentences, one per
// mistake, each naming the field. Text is UTF-8, but the source.
VaryPlanning PlanVaryForm(const VaryForm& form);

// One kept point as a dialog lists it.
struct VaryListedPoint {
  std::string values;    // "A=4 E=0 H=0" (and the other value sets of a merged point)
  std::string position;  // "N 48° 14.347 E 011° 30.500", or empty without a point
  std::string distance;  // "886 m", or empty without a reference
  std::string shown;     // "CHK=41 LAT=48.239" after the run, or empty
  std::string first_line;
  bool has_point = false;
  double lat = 0.0, lon = 0.0;
};

struct VaryListing {
  std::vector<VaryListedPoint> points;
  std::string summary;  // what was tried and dropped, one sentence per line
  std::string gpx;      // every point as a GPX 1.1 file, UTF-8
};

// What a finished (or stopped) search shows; all text UTF-8. With a
// `name` (the script's, UTF-8), the GPX waypoints carry it before the
// values ("final A=4 E=0 H=0"), so that the points of two scripts keep
// apart in a GPS receiver.
VaryListing ListVaryOutcome(const VaryPlan& plan, const VaryOutcome& outcome,
                            std::string_view name = {});

// A point as it is found, before the search is over: listed as the
// finished search lists it.
VaryListedPoint ListFoundPoint(const VaryPlan& plan, const KeptRun& run);

}  // namespace orbelin
