// "Orbelin.def" in the program folder: the current script's path, so that
// the next start opens the same script. One line of 16-bit units,
// little-endian without a byte-order mark, ended by the unit 10.
#pragma once

#include <string>

namespace orbelin {

inline constexpr const char* kDefinitionFileName = "Orbelin.def";

// The path the file names (UTF-8), or "" when it is missing, empty or not a
// regular file. A file written by hand is recognised too: UTF-8 (it has no
// NUL byte), or UTF-16 with a byte-order mark; a CR before the line feed is
// dropped. `program_folder` ends with '/'.
std::string ReadDefinition(const std::string& program_folder);

// Writes the path and its line end; an empty path gives a file with only the
// line end, always as the program itself reads it: 16-bit little-endian
// units. The old file is replaced only by a complete new one. False when it
// cannot be written.
bool WriteDefinition(const std::string& program_folder, const std::string& script_path);

}  // namespace orbelin
