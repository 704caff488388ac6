// Whole-file reading and writing that never loses the old file's bytes.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace orbelin {

// The error of a path that names a pipe, a device or a socket: reading
// would wait for a writer, or never end.
std::error_code NotARegularFile();

// The file's bytes, or nothing when it cannot be read, with the reason in
// *error. Only a regular file is read; a pipe or a device is refused before
// it is opened for reading. Opened for reading only, so a read-only file
// loads too.
std::optional<std::string> ReadWholeFile(const std::string& path, std::error_code* error = nullptr);

// Gives the file exactly these bytes, or leaves it as it was; returns the
// reason when it could not (an empty error_code when written).
//
// The bytes go to a new file beside the old one, which replaces it only once
// it is complete, when that keeps everything of the old file: its mode, its
// owner and group, and its other hard links. Where it would not, or where the
// folder may not be written, the file is written in place, and a failure
// half-way puts the old bytes back. A symbolic link is written through to
// the file it names, which is created when it does not exist. A read-only
// file, a folder, a pipe or a device, and a path in a folder that does not
// exist are refused.
std::error_code ReplaceFile(const std::string& path, std::string_view bytes);

}  // namespace orbelin
