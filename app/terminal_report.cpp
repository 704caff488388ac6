#include "terminal_report.h"

#include <unistd.h>

#include <cstdlib>

#include "base/cp1252.h"
#include "base/source_text.h"

namespace orbelin::cli {

namespace {

struct Colours {
  const char* bold = "";
  const char* error = "";
  const char* warning = "";
  const char* caret = "";
  const char* hint = "";
  const char* reset = "";
};

Colours ColoursFor(bool colour) {
  if (!colour) return {};
  return {"\033[1m", "\033[1;31m", "\033[1;35m", "\033[1;32m", "\033[1;36m", "\033[0m"};
}

// Line `line` (from 1) of the text, without its line end.
std::string_view LineOf(std::string_view text, int line) {
  for (; line > 1; --line) {
    const size_t end = text.find('\n');
    if (end == std::string_view::npos) return {};
    text.remove_prefix(end + 1);
  }
  text = text.substr(0, text.find('\n'));
  if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
  return text;
}

// The line with its tabs widened as the interpreter counts columns, so that
// the caret below stands under the column the message gives.
std::string Widened(std::string_view line) {
  std::string out;
  int column = 1;
  for (char c : line) {
    if (c == '\t') {
      const int next = ColumnAfterTab(column);
      out.append(static_cast<size_t>(next - column), ' ');
      column = next;
    } else if (c == '\r') {
      continue;
    } else {
      out += c;
      ++column;
    }
  }
  return out;
}

}  // namespace

bool UseColour(std::FILE* stream) {
  const char* no_colour = std::getenv("NO_COLOR");
  if (no_colour != nullptr && no_colour[0] != '\0') return false;
  return isatty(fileno(stream)) != 0;
}

void Print(std::FILE* stream, std::string_view cp1252, Bytes bytes) {
  const std::string shown = bytes == Bytes::kUtf8 ? Cp1252ToUtf8(cp1252) : std::string(cp1252);
  std::fwrite(shown.data(), 1, shown.size(), stream);
}

void Report(std::FILE* stream, const std::string& name, std::string_view source,
            const std::vector<Explanation>& diagnostics, Bytes bytes, bool colour) {
  const Colours c = ColoursFor(colour);
  source = CutAtNul(source);
  for (const Explanation& d : diagnostics) {
    const bool error = d.kind == Explanation::Kind::kError;
    std::fprintf(stream, "%s%s:%d:%d:%s %s%s:%s ", c.bold, name.c_str(), d.line, d.column, c.reset,
                 error ? c.error : c.warning, error ? "error" : "warning", c.reset);
    Print(stream, d.message, bytes);
    std::fputc('\n', stream);
    const std::string line = Widened(LineOf(source, d.line));
    std::fprintf(stream, "%6d | ", d.line);
    Print(stream, line, bytes);
    std::fprintf(stream, "\n       | %s%s^%s\n",
                 std::string(d.column > 1 ? d.column - 1 : 0, ' ').c_str(), c.caret, c.reset);
    if (!d.hint.empty()) {
      std::fprintf(stream, "%shint:%s ", c.hint, c.reset);
      Print(stream, d.hint, bytes);
      std::fputc('\n', stream);
    }
  }
}

}  // namespace orbelin::cli
