#include "text/rail_fence.h"

#include <vector>

namespace orbelin {

namespace {

// The rail of each place of a text of n characters: 0, 1, ... rails - 1,
// then back up to 1, and down again.
std::vector<int> Rails(size_t n, int rails) {
  std::vector<int> rail(n);
  const int period = 2 * (rails - 1);
  for (size_t i = 0; i < n; ++i) {
    const int k = static_cast<int>(i % static_cast<size_t>(period));
    rail[i] = k < rails ? k : period - k;
  }
  return rail;
}

}  // namespace

std::string RailFenceEncipher(std::string_view text, int rails) {
  const std::vector<int> rail = Rails(text.size(), rails);
  std::string out;
  for (int r = 0; r < rails; ++r) {
    for (size_t i = 0; i < text.size(); ++i) {
      if (rail[i] == r) out += text[i];
    }
  }
  return out;
}

std::string RailFenceDecipher(std::string_view text, int rails) {
  const std::vector<int> rail = Rails(text.size(), rails);
  std::string out(text.size(), ' ');
  size_t next = 0;  // the next character of the text, rail by rail
  for (int r = 0; r < rails; ++r) {
    for (size_t i = 0; i < text.size(); ++i) {
      if (rail[i] == r) out[i] = text[next++];
    }
  }
  return out;
}

}  // namespace orbelin
