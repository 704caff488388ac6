#include "window/utf16_line.h"

#include "base/utf16.h"
#include "base/utf8.h"

namespace orbelin {

namespace {

constexpr char16_t kLineFeed = 10;

std::u16string FirstUnits(std::string_view bytes, bool big_endian) {
  std::u16string units;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    const auto unit = static_cast<char16_t>(big_endian ? first << 8 | second : second << 8 | first);
    if (unit == kLineFeed || unit == 0) break;
    units += unit;
  }
  return units;
}

}  // namespace

std::string FirstUtf16Line(std::string_view bytes, bool big_endian) {
  return Utf16ToUtf8(FirstUnits(bytes, big_endian));
}

std::string FirstUtf16PathLine(std::string_view bytes, bool big_endian) {
  return PathFromUtf16(FirstUnits(bytes, big_endian));
}

std::u16string PathToUtf16(std::string_view path) {
  std::u16string units;
  for (size_t i = 0; i < path.size();) {
    char32_t cp;
    const size_t length = DecodeUtf8(path, i, &cp);
    if (length == 0) {
      units += static_cast<char16_t>(0xDC00 | static_cast<unsigned char>(path[i]));
      ++i;
      continue;
    }
    i += length;
    if (cp >= 0x10000) {
      units += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
      units += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      units += static_cast<char16_t>(cp);
    }
  }
  return units;
}

std::string PathFromUtf16(std::u16string_view units) {
  std::string path;
  for (size_t i = 0; i < units.size(); ++i) {
    const char16_t u = units[i];
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
        units[i + 1] <= 0xDFFF) {
      AppendUtf8(path,
                 static_cast<char32_t>(0x10000 + ((u - 0xD800) << 10) + (units[i + 1] - 0xDC00)));
      ++i;
    } else if (u >= 0xDC80 && u <= 0xDCFF) {
      path += static_cast<char>(u & 0xFF);  // a byte kept as it was
    } else if (u >= 0xD800 && u <= 0xDFFF) {
      AppendUtf8(path, U'\uFFFD');
    } else {
      AppendUtf8(path, static_cast<char32_t>(u));
    }
  }
  return path;
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
