#include "window/utf16_line.h"

#include "base/utf16.h"

namespace orbelin {

namespace {

constexpr char16_t kLineFeed = 10;

}  // namespace

std::string FirstUtf16Line(std::string_view bytes, bool big_endian) {
  std::u16string units;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    const auto unit = static_cast<char16_t>(big_endian ? first << 8 | second : second << 8 | first);
    if (unit == kLineFeed || unit == 0) break;
    units += unit;
  }
  return Utf16ToUtf8(units);
}

std::optional<std::string> FirstLineIfUtf16(std::string_view bytes) {
  if (bytes.starts_with("\xFF\xFE")) return FirstUtf16Line(bytes.substr(2), false);
  if (bytes.starts_with("\xFE\xFF")) return FirstUtf16Line(bytes.substr(2), true);
  if (bytes.size() >= 2 && bytes[0] != '\0' && bytes[1] == '\0') {
    return FirstUtf16Line(bytes, false);
  }
  return std::nullopt;
}

}  // namespace orbelin
