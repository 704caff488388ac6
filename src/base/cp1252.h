// Windows-1252, the code page of scripts, results and listings on disk, and
// its conversion to and from Unicode at the edges (terminal, window).
#pragma once

#include <string>
#include <string_view>

namespace orbelin {

// The Unicode code point of a Windows-1252 byte. The five bytes that the code
// page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control
// of the same number, as the platform's conversion does.
char32_t Cp1252ToCodePoint(unsigned char byte);
// The Windows-1252 byte of a code point, or '?' when it has none.
unsigned char CodePointToCp1252(char32_t code_point);

std::string Cp1252ToUtf8(std::string_view bytes);
// Valid UTF-8 in, Windows-1252 out; a character with no Windows-1252 form
// becomes '?'. An invalid sequence becomes one '?' per offending byte.
std::string Utf8ToCp1252(std::string_view utf8);

bool IsValidUtf8(std::string_view bytes);
bool HasNonAscii(std::string_view bytes);

}  // namespace orbelin
