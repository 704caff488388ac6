#include "shell/definition_file.h"

#include <optional>

#include "base/utf16.h"
#include "shell/file_io.h"

namespace orbelin {

namespace {

constexpr char16_t kLineFeed = 10;

}  // namespace

std::string ReadDefinition(const std::string& program_folder) {
  std::optional<std::string> bytes = ReadWholeFile(program_folder + kDefinitionFileName);
  if (!bytes) return "";
  std::u16string units;
  for (size_t i = 0; i + 1 < bytes->size(); i += 2) {
    char16_t unit = static_cast<char16_t>(static_cast<unsigned char>((*bytes)[i]) |
                                          static_cast<unsigned char>((*bytes)[i + 1]) << 8);
    if (unit == kLineFeed || unit == 0) break;
    units += unit;
  }
  return Utf16ToUtf8(units);
}

bool WriteDefinition(const std::string& program_folder, const std::string& script_path) {
  std::u16string units = Utf8ToUtf16(script_path);
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
