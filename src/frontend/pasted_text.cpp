#include "frontend/pasted_text.h"

#include "base/utf8.h"

namespace orbelin {

std::string PastedText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    char32_t cp = 0;
    const size_t length = DecodeUtf8(text, i, &cp);
    if (length == 0) {  // not UTF-8: kept as it is
      out += text[i++];
      continue;
    }
    switch (cp) {
      case U'\u00A0':
      case U'\u2007':
      case U'\u202F':
        out += ' ';
        break;
      case U'\u2032':
        out += '\'';
        break;
      case U'\u2033':
        out += '"';
        break;
      default:
        out.append(text, i, length);
        break;
    }
    i += length;
  }
  return out;
}

}  // namespace orbelin
