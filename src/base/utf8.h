// UTF-8, one code point at a time: the common ground of the conversions at
// the edges (Windows-1252 files, UTF-16 definition file, terminal, window).
#pragma once

#include <string>
#include <string_view>

namespace orbelin {

// The length of the UTF-8 sequence at s[i], with its code point in *cp; 0
// when the sequence is invalid (cut short, overlong, a surrogate, or beyond
// U+10FFFF).
size_t DecodeUtf8(std::string_view s, size_t i, char32_t* cp);
void AppendUtf8(std::string& out, char32_t cp);

}  // namespace orbelin
