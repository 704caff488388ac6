// Whole-file reading and crash-safe replacing.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orbelin {

// The file's bytes, or nothing when it cannot be opened. Opened for reading
// only, so a read-only file loads too.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Gives the file exactly these bytes, or leaves it as it was: the bytes go to
// a new file beside it, which replaces the old one only once it is complete.
// The old file's permissions are kept; a link is written through to the file
// it names. A read-only file, a folder or a path in a folder that does not
// exist is refused with false.
bool ReplaceFile(const std::string& path, std::string_view bytes);

}  // namespace orbelin
