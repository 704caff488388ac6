#include "shell/settings_file.h"

#include "base/cp1252.h"
#include "shell/file_io.h"

namespace orbelin {

bool ReadSettings(const std::string& program_folder, std::string* hand_off_folder) {
  std::optional<std::string> bytes = ReadWholeFile(program_folder + kSettingsFileName);
  if (!bytes) return false;
  std::string_view line = *bytes;
  line = line.substr(0, line.find_first_of(std::string_view("\n\0", 2)));
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  *hand_off_folder =
      HasNonAscii(line) && IsValidUtf8(line) ? std::string(line) : Cp1252ToUtf8(line);
  return true;
}

}  // namespace orbelin
