#include "base/script_encoding.h"

#include "base/cp1252.h"

namespace orbelin {

namespace {
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
}  // namespace

std::string DecodeScript(std::string_view bytes, SourceEncoding encoding) {
  switch (encoding) {
    case SourceEncoding::kCp1252:
      break;
    case SourceEncoding::kAuto:
      // Editors on Windows start UTF-8 files with a byte-order mark: it says
      // UTF-8 and is no part of the script.
      if (bytes.starts_with(kByteOrderMark)) return Utf8ToCp1252(bytes.substr(3));
      if (HasNonAscii(bytes) && IsValidUtf8(bytes)) return Utf8ToCp1252(bytes);
      break;
    case SourceEncoding::kUtf8:
      if (bytes.starts_with(kByteOrderMark)) bytes.remove_prefix(3);
      return Utf8ToCp1252(bytes);
  }
  return std::string(bytes);
}

}  // namespace orbelin
