// "Orbelin.ini" in the program folder: its first line names the folder that
// receives the hand-off file. The user writes it; the program only reads it.
#pragma once

#include <cstddef>
#include <string>

namespace orbelin {

inline constexpr const char* kSettingsFileName = "Orbelin.ini";

// The longest first line taken as a folder's name: as long as a path may
// be. A longer one is no folder (a file that is no settings file).
inline constexpr size_t kMaxSettingsLine = 4096;

// Reads the first line into *hand_off_folder (UTF-8, line end removed) and
// returns true; a missing or unreadable file returns false and leaves
// *hand_off_folder as it was. `program_folder` ends with '/'. The line is
// Windows-1252, or UTF-8 when it is valid UTF-8 with non-ASCII characters,
// as a Linux editor writes it, or UTF-16 as a Windows editor may save it.
// A line longer than kMaxSettingsLine is ignored (false), and *note says
// so.
bool ReadSettings(const std::string& program_folder, std::string* hand_off_folder,
                  std::string* note = nullptr);

}  // namespace orbelin
