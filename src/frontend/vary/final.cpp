#include "frontend/vary/final.h"

#include "interp/final_pattern.h"

namespace orbelin {

std::vector<std::string> FinalLetters(std::string_view pattern) {
  return ReadFinalPattern(pattern).names;
}

std::vector<std::string> CheckFinalPattern(std::string_view pattern) {
  std::vector<std::string> errors;
  if (pattern.find('\'') != std::string_view::npos) {
    errors.push_back("The final pattern cannot hold a quote ('): take it out.");
  }
  if (pattern.size() > kLongestFinalPattern) {
    errors.push_back("The final pattern is longer than " + std::to_string(kLongestFinalPattern) +
                     " characters: a final is written in far fewer.");
  }
  const FinalPatternReading r = ReadFinalPattern(pattern);
  if (!r.pattern) {
    std::string why = r.why;
    errors.push_back("The final pattern is not read: " + why + ".");
  }
  return errors;
}

}  // namespace orbelin
