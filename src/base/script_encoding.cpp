#include "base/script_encoding.h"

#include "base/cp1252.h"

namespace orbelin {

namespace {
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
}  // namespace

std::string DecodeScript(std::string bytes, SourceEncoding encoding) {
  const std::string_view text = bytes;
  switch (encoding) {
    case SourceEncoding::kCp1252:
      break;
    case SourceEncoding::kAuto:
      // Editors on Windows start UTF-8 files with a byte-order mark: it says
      // UTF-8 and is no part of the script.
      if (text.starts_with(kByteOrderMark)) return Utf8ToCp1252(text.substr(3));
      if (HasNonAscii(text) && IsValidUtf8(text)) return Utf8ToCp1252(text);
      break;
    case SourceEncoding::kUtf8:
      return Utf8ToCp1252(text.starts_with(kByteOrderMark) ? text.substr(3) : text);
  }
  return bytes;
}

}  // namespace orbelin
