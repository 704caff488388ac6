// How the bytes of a script file become the Windows-1252 text the
// interpreter reads.
#pragma once

#include <string>
#include <string_view>

namespace orbelin {

enum class SourceEncoding {
  kCp1252,  // the bytes are taken as they are (what the window saves)
  kAuto,    // valid UTF-8 with non-ASCII bytes, or a byte-order mark, is UTF-8
  kUtf8,    // always read as UTF-8 and converted
};

// The script text the interpreter runs. A character with no Windows-1252
// form becomes '?'; a UTF-8 byte-order mark at the start is dropped (in
// kCp1252 mode the bytes stay as they are). Bytes that need no change are
// handed back without a copy: a script may be megabytes long.
std::string DecodeScript(std::string bytes, SourceEncoding encoding);

}  // namespace orbelin
