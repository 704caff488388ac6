#include "window/settings_file.h"

#include <optional>
#include <string_view>
#include <utility>

#include "base/cp1252.h"
#include "frontend/file_io.h"
#include "frontend/script_bytes.h"
#include "window/utf16_line.h"

namespace orbelin {

bool ReadSettings(const std::string& program_folder, std::string* hand_off_folder,
                  std::string* note) {
  const std::string path = program_folder + kSettingsFileName;
  std::optional<std::string> bytes = ReadWholeFile(path);
  if (!bytes) return false;
  std::string folder;
  if (std::optional<std::string> utf16 = FirstLineIfUtf16(*bytes)) {
    folder = std::move(*utf16);
  } else {
    std::string_view line = *bytes;
    line = line.substr(0, line.find_first_of(std::string_view("\n\0", 2)));
    // Measured before it is converted: a file of megabytes without a line
    // end is not worth converting.
    if (line.size() > kMaxSettingsLine) line = line.substr(0, kMaxSettingsLine + 1);
    if (!ReadsAsUtf8(line)) {
      folder = Cp1252ToUtf8(line);
    } else {
      if (line.starts_with("\xEF\xBB\xBF")) line.remove_prefix(3);
      folder = std::string(line);
    }
  }
  if (!folder.empty() && folder.back() == '\r') folder.pop_back();
  if (folder.size() > kMaxSettingsLine) {
    if (note != nullptr) {
      *note = "The first line of " + path + " is longer than " + std::to_string(kMaxSettingsLine) +
              " bytes, which no folder's name is; Orbelin ignores it.";
    }
    return false;
  }
  *hand_off_folder = std::move(folder);
  return true;
}

}  // namespace orbelin
