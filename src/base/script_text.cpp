#include "base/script_text.h"

#include "base/cp1252.h"
#include "base/source_text.h"

namespace orbelin {

std::string BoxTextFromFile(std::string_view bytes) {
  bytes = CutAtNul(bytes);
  std::string lf;
  lf.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] != '\r') {
      lf += bytes[i];
    } else if (i + 1 >= bytes.size() || bytes[i + 1] != '\n') {
      lf += '\n';
    }
  }
  return Cp1252ToUtf8(lf);
}

std::string ScriptFileFromBoxText(std::string_view text) {
  std::string crlf;
  crlf.reserve(text.size() + text.size() / 16 + 1);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) crlf += '\r';
    crlf += text[i];
  }
  std::string bytes = Utf8ToCp1252(crlf);
  bytes += '\0';
  return bytes;
}

}  // namespace orbelin
