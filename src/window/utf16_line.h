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

// A file's path (bytes, as Linux names files) in 16-bit units and back. A
// byte that is no part of UTF-8 is kept as a lone low surrogate U+DC80 to
// U+DCFF, so that a name like "m\xFCnchen.inp" comes back byte for byte.
std::u16string PathToUtf16(std::string_view path);
std::string PathFromUtf16(std::u16string_view units);

// The first line of 16-bit units as a path (see PathFromUtf16).
std::string FirstUtf16PathLine(std::string_view bytes, bool big_endian);

// The first line of a file in 16-bit units: one with a byte-order mark of
// either order, or little-endian without a mark when its second byte is
// NUL and its first is not (the unit of a path's first character, '/' or a
// drive letter). Nothing when the file is 8-bit text.
std::optional<std::string> FirstLineIfUtf16(std::string_view bytes);

}  // namespace orbelin
