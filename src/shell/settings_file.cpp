#include "shell/settings_file.h"

#include "base/cp1252.h"
#include "frontend/file_io.h"
#include "frontend/script_bytes.h"

namespace orbelin {

bool ReadSettings(const std::string& program_folder, std::string* hand_off_folder) {
  std::optional<std::string> bytes = ReadWholeFile(program_folder + kSettingsFileName);
  if (!bytes) return false;
  std::string_view line = *bytes;
  line = line.substr(0, line.find_first_of(std::string_view("\n\0", 2)));
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  if (!ReadsAsUtf8(line)) {
    *hand_off_folder = Cp1252ToUtf8(line);
  } else {
    if (line.starts_with("\xEF\xBB\xBF")) line.remove_prefix(3);
    *hand_off_folder = std::string(line);
  }
  return true;
}

}  // namespace orbelin
