#include "frontend/script_bytes.h"

#include "base/cp1252.h"
#include "base/source_text.h"
#include "base/utf8.h"

namespace orbelin {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

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

// "\n" not already after a CR becomes CR LF.
std::string CrLf(std::string_view text) {
  std::string crlf;
  crlf.reserve(text.size() + text.size() / 16 + 1);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) crlf += '\r';
    crlf += text[i];
  }
  return crlf;
}

}  // namespace

bool ReadsAsUtf8(std::string_view bytes) {
  return bytes.starts_with(kByteOrderMark) || (HasNonAscii(bytes) && IsValidUtf8(bytes));
}

Utf8Damage FindUtf8Damage(std::string_view utf8) {
  Utf8Damage damage;
  int line = 1, column = 1;
  for (size_t i = 0; i < utf8.size() && utf8[i] != '\0';) {
    char32_t cp = 0;
    const size_t length = DecodeUtf8(utf8, i, &cp);
    if (length == 0 && damage.bytes++ == 0) {
      damage.line = line;
      damage.column = column;
    }
    // Every character, a byte that became '?' included, is one column.
    if (cp == '\n' && length > 0) {
      ++line;
      column = 1;
    } else {
      column = cp == '\t' && length > 0 ? ColumnAfterTab(column) : column + 1;
    }
    i += length > 0 ? length : 1;
  }
  return damage;
}

std::string DecodeScript(std::string bytes, SourceEncoding encoding, Utf8Damage* damage,
                         std::vector<LostCharacter>* lost) {
  const std::string_view text = bytes;
  // Editors on Windows start UTF-8 files with a byte-order mark: it says
  // UTF-8 and is no part of the script.
  const std::string_view body = text.starts_with(kByteOrderMark) ? text.substr(3) : text;
  const bool utf8 =
      encoding == SourceEncoding::kUtf8 || (encoding == SourceEncoding::kAuto && ReadsAsUtf8(text));
  if (!utf8) return bytes;
  if (damage != nullptr && !IsValidUtf8(body)) *damage = FindUtf8Damage(body);
  std::string converted = Utf8ToCp1252(body);
  if (lost != nullptr) *lost = LostCharacterPlaces(body, converted);
  return converted;
}

std::string BoxTextFromFile(std::string_view bytes) {
  return Cp1252ToUtf8(LineFeeds(CutAtNul(bytes)));
}

std::string BoxTextFromScriptFile(std::string_view bytes) {
  bytes = CutAtNul(bytes);
  if (!ReadsAsUtf8(bytes)) return BoxTextFromFile(bytes);
  if (bytes.starts_with(kByteOrderMark)) bytes.remove_prefix(3);
  return LineFeeds(bytes);
}

std::string ScriptFileFromBoxText(std::string_view text, std::vector<LostCharacter>* lost) {
  std::string bytes = Utf8ToCp1252(CrLf(text));
  if (lost) *lost = LostCharacterPlaces(text, bytes);
  bytes += '\0';
  return bytes;
}

std::string Utf8ScriptFileFromBoxText(std::string_view text) {
  std::string bytes = CrLf(text);
  bytes += '\0';
  return bytes;
}

}  // namespace orbelin
