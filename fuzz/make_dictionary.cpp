// Writes the fuzzers' dictionary (libFuzzer's -dict format) to standard
// output: every terminal of the language from its one table (keywords,
// operators, the degree sign with its hemisphere letters), and the tokens
// of what users paste and type on the command line: the degree sign in
// UTF-8, minutes and seconds marks, hemisphere letters, ranges and steps,
// units, and the line ends and NUL a saved script holds.
#include <cstdio>
#include <string>
#include <string_view>

#include "interp/terminals.h"

namespace {

void Entry(std::string_view token) {
  std::string quoted;
  for (const unsigned char c : token) {
    if (c == '"' || c == '\\' || c < 0x20 || c >= 0x7F) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      quoted += hex;
    } else {
      quoted += static_cast<char>(c);
    }
  }
  std::printf("\"%s\"\n", quoted.c_str());
}

}  // namespace

int main() {
  for (int t = 0; t < orbelin::kTerminalCount; ++t) {
    if (!orbelin::TerminalText(t).empty()) Entry(orbelin::TerminalText(t));
  }
  static constexpr std::string_view kTyped[] = {"\xC2\xB0",
                                                "\xB0",
                                                "'",
                                                "\"",
                                                "\xE2\x80\xB2",
                                                "\xE2\x80\xB3",
                                                "N ",
                                                "S ",
                                                "E ",
                                                "W ",
                                                "N 48\xC2\xB0 12.345 E 011\xC2\xB0 30.500",
                                                "48.2058, 11.5083",
                                                "..",
                                                "...",
                                                "/",
                                                ",",
                                                "=",
                                                "0..9",
                                                "0..90/5",
                                                "-",
                                                "km",
                                                "mi",
                                                "m",
                                                " m",
                                                "1e5",
                                                "\r\n",
                                                std::string_view("\0", 1),
                                                "\xEF\xBB\xBF",
                                                "\ns",
                                                "\nw",
                                                "\nn",
                                                "\nd",
                                                "\nh",
                                                "OLAT",
                                                "OLON",
                                                "CHK"};
  for (std::string_view token : kTyped) Entry(token);
  return 0;
}
