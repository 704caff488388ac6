#include "terminal_report.h"

#include <unistd.h>

#include <cstdlib>
#include <string_view>

#include "base/cp1252.h"

namespace orbelin::cli {

bool UseColour(std::FILE* stream) {
  const char* no_colour = std::getenv("NO_COLOR");
  if (no_colour != nullptr && no_colour[0] != '\0') return false;
  // A terminal that says it understands no escape sequences gets none.
  const char* term = std::getenv("TERM");
  if (term != nullptr && std::string_view(term) == "dumb") return false;
  return isatty(fileno(stream)) != 0;
}

std::string ForTerminal(std::string_view cp1252, Bytes bytes) {
  return bytes == Bytes::kUtf8 ? Cp1252ToUtf8(cp1252) : std::string(cp1252);
}

void Report(std::FILE* stream, const std::string& name, std::string_view source,
            const std::vector<Explanation>& diagnostics, Bytes bytes, bool colour) {
  if (diagnostics.empty()) return;
  ReportColours colours;
  if (colour) {
    colours = {.bold = "\033[1m",
               .error = "\033[1;31m",
               .warning = "\033[1;35m",
               .note = "\033[1;36m",
               .caret = "\033[1;32m",
               .hint = "\033[1;36m",
               .reset = "\033[0m"};
  }
  const std::string text = ReportText(name, source, diagnostics, bytes == Bytes::kUtf8, colours);
  std::fwrite(text.data(), 1, text.size(), stream);
}

}  // namespace orbelin::cli
