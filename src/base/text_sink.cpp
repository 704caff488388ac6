#include "base/text_sink.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace orbelin {

void TextSink::Printf(const char* format, ...) {
  char local[512];
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  const int n = std::vsnprintf(local, sizeof local, format, args);
  va_end(args);
  if (n >= 0 && static_cast<size_t>(n) < sizeof local) {
    Write(std::string_view(local, static_cast<size_t>(n)));
  } else if (n >= 0) {
    // Long texts (a number with hundreds of digits) take a second pass.
    std::vector<char> big(static_cast<size_t>(n) + 1);
    std::vsnprintf(big.data(), big.size(), format, again);
    Write(std::string_view(big.data(), static_cast<size_t>(n)));
  }
  va_end(again);
}

}  // namespace orbelin
