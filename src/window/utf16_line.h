// Orbelin.def is written in 16-bit units, and a Windows editor may save
// Orbelin.ini so too: the settings files read their first line from either.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orbelin {

// The first line (UTF-8, without its line feed) of 16-bit units,
// little-endian unless `big_endian`; a NUL unit ends it too.
std::string FirstUtf16Line(std::string_view bytes, bool big_endian);

// The first line of a file in 16-bit units: one with a byte-order mark of
// either order, or little-endian without a mark when its second byte is
// NUL and its first is not (the unit of a path's first character, '/' or a
// drive letter). Nothing when the file is 8-bit text.
std::optional<std::string> FirstLineIfUtf16(std::string_view bytes);

}  // namespace orbelin
