// FINAL2GPS and FINALQSUM: a formula final as the cache page writes it, read
// with the values the script's variables have when the call runs.
#include <limits>
#include <string>

#include "interp/bindings.h"
#include "interp/final_pattern.h"

namespace orbelin {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The point of the pattern, or the call refused with why there is none.
FinalPoint Evaluate(Runtime& rt, const char* keyword, std::string_view text) {
  std::optional<FinalPatternReading> once;
  const FinalPatternReading& reading =
      rt.finals != nullptr ? rt.finals->Read(text) : once.emplace(ReadFinalPattern(text));
  if (!reading.pattern) {
    FinalPoint none;
    rt.Refuse(reading.error, std::string(keyword) + ": " + reading.why);
    return none;
  }
  FinalPoint point = EvaluateFinal(*reading.pattern, [&rt](const std::string& name) {
    const int v = rt.vars.Find(name);
    return v < 0 ? std::nullopt : std::optional<double>(rt.vars.Get(v));
  });
  if (!point.ok) rt.Refuse(point.error, std::string(keyword) + ": " + point.why);
  return point;
}

}  // namespace

void HandleFinal2Gps(Runtime& rt, const CallArgs& a) {
  const FinalPoint p = Evaluate(rt, "FINAL2GPS", a.str[0].view());
  rt.SetValue(a.var[0], p.ok ? p.lat : kNaN);
  rt.SetValue(a.var[1], p.ok ? p.lon : kNaN);
}

double FnFinalqsum(Runtime& rt, const CallArgs& a) {
  const FinalPoint p = Evaluate(rt, "FINALQSUM", a.str[0].view());
  return p.ok ? p.digit_sum : kNaN;
}

bool ReadsVariables(StatementHandler h) {
  return h == HandleFinal2Gps;
}
bool ReadsVariables(FunctionHandler h) {
  return h == FnFinalqsum;
}

}  // namespace orbelin
