#include "window/definition_file.h"

#include <optional>
#include <string_view>

#include "frontend/file_io.h"
#include "window/utf16_line.h"

namespace orbelin {

namespace {

constexpr char16_t kLineFeed = 10;

}  // namespace

std::string ReadDefinition(const std::string& program_folder) {
  std::optional<std::string> file = ReadWholeFile(program_folder + kDefinitionFileName);
  if (!file) return "";
  std::string_view bytes = *file;
  std::string path;
  if (bytes.starts_with("\xFF\xFE")) {
    path = FirstUtf16PathLine(bytes.substr(2), false);
  } else if (bytes.starts_with("\xFE\xFF")) {
    path = FirstUtf16PathLine(bytes.substr(2), true);
  } else if (bytes.find('\0') == std::string_view::npos) {
    // Text has no NUL byte, but the 16-bit units of any path do: at least
    // the line feed's, or a Latin letter's. So this was written by hand in
    // UTF-8 (a path's bytes, as Linux names files).
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    path = std::string(bytes.substr(0, bytes.find('\n')));
  } else {
    path = FirstUtf16PathLine(bytes, false);
  }
  // An editor's CR LF.
  if (!path.empty() && path.back() == '\r') path.pop_back();
  return path;
}

bool WriteDefinition(const std::string& program_folder, const std::string& script_path) {
  std::u16string units = PathToUtf16(script_path);
  units += kLineFeed;
  std::string bytes;
  bytes.reserve(units.size() * 2);
  for (char16_t unit : units) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return !ReplaceFile(program_folder + kDefinitionFileName, bytes);
}

}  // namespace orbelin
