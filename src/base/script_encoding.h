// How the bytes of a script file become the Windows-1252 text the
// interpreter reads.
#pragma once

#include <string>
#include <string_view>

namespace orbelin {

enum class SourceEncoding {
  kCp1252,  // the bytes are taken as they are (what the window saves)
  kAuto,    // valid UTF-8 with non-ASCII bytes is converted to Windows-1252
  kUtf8,    // always read as UTF-8 and converted
};

// The script text the interpreter runs. A character with no Windows-1252
// form becomes '?'.
std::string DecodeScript(std::string_view bytes, SourceEncoding encoding);

}  // namespace orbelin
