#include "progress_bar.h"

#include "base/maths.h"
#include "frontend/vary/value_sets.h"

namespace orbelin::cli {

std::string TimeLeftText(double seconds) {
  if (seconds < 0 || !maths::isfinite(seconds)) return "";
  const long long s = maths::llround(maths::ceil(seconds));
  if (s < 60) return "about " + std::to_string(s) + " s left";
  if (s < 3600) return "about " + std::to_string((s + 30) / 60) + " min left";
  const long long minutes = (s + 30) / 60;
  return "about " + std::to_string(minutes / 60) + " h " + std::to_string(minutes % 60) +
         " min left";
}

std::string ProgressLine(const VaryProgress& progress, int width) {
  const double share = progress.total == 0 ? 1.0
                                           : static_cast<double>(progress.done) /
                                                 static_cast<double>(progress.total);
  const int filled = static_cast<int>(maths::floor(share * width));
  std::string line = "[" + std::string(static_cast<size_t>(filled), '#') +
                     std::string(static_cast<size_t>(width - filled), '.') + "]  " +
                     CountText(progress.done) + " of " + CountText(progress.total);
  if (const std::string left = TimeLeftText(progress.SecondsLeft()); !left.empty()) {
    line += "  " + left;
  }
  return line;
}

}  // namespace orbelin::cli
