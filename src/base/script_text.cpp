#include "base/script_text.h"

#include "base/cp1252.h"
#include "base/source_text.h"

namespace orbelin {

namespace {

// CR LF and a lone CR become "\n".
std::string LineFeeds(std::string_view text) {
  std::string lf;
  lf.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r') {
      lf += text[i];
    } else if (i + 1 >= text.size() || text[i + 1] != '\n') {
      lf += '\n';
    }
  }
  return lf;
}

}  // namespace

std::string BoxTextFromFile(std::string_view bytes) {
  return Cp1252ToUtf8(LineFeeds(CutAtNul(bytes)));
}

std::string BoxTextFromScriptFile(std::string_view bytes) {
  bytes = CutAtNul(bytes);
  const bool bom = bytes.starts_with("\xEF\xBB\xBF");
  if (!bom && !(HasNonAscii(bytes) && IsValidUtf8(bytes))) return BoxTextFromFile(bytes);
  if (bom) bytes.remove_prefix(3);
  return LineFeeds(bytes);
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
