#include "text/left_out.h"

#include "base/ascii.h"

namespace orbelin {

std::vector<TextNotice> LeftOutNotices(std::string_view text, std::string_view place) {
  std::string left_out;
  for (char c : text) {
    const unsigned char u = static_cast<unsigned char>(c);
    const bool meant = IsAsciiDigit(c) || (u >= 0xC0 && u != 0xD7 && u != 0xF7);
    if (meant && left_out.find(c) == std::string::npos) left_out += c;
  }
  if (left_out.empty()) return {};
  std::string named;
  for (size_t k = 0; k < left_out.size(); ++k) {
    if (k > 0) named += k + 1 == left_out.size() ? " and " : ", ";
    named += "'" + std::string(1, left_out[k]) + "'";
  }
  return {{TextNotice::Kind::kWarning,
           named + (left_out.size() == 1 ? " has" : " have") + " no place in " +
               std::string(place) + " and " + (left_out.size() == 1 ? "is" : "are") + " left out",
           "only the letters A to Z have a place: write \xC4 as AE, \xDF as SS, and "
           "numbers in words"}};
}

}  // namespace orbelin
