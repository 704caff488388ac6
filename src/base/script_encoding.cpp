#include "base/script_encoding.h"

#include "base/cp1252.h"

namespace orbelin {

std::string DecodeScript(std::string_view bytes, SourceEncoding encoding) {
  switch (encoding) {
    case SourceEncoding::kCp1252:
      break;
    case SourceEncoding::kAuto:
      if (HasNonAscii(bytes) && IsValidUtf8(bytes)) return Utf8ToCp1252(bytes);
      break;
    case SourceEncoding::kUtf8:
      return Utf8ToCp1252(bytes);
  }
  return std::string(bytes);
}

}  // namespace orbelin
