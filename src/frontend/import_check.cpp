#include "frontend/import_check.h"

#include <string>

#include "frontend/script_bytes.h"

namespace orbelin {

namespace {

// A control code that a script typed in any editor does not hold. Tab, the
// line ends, form feed and the old end-of-file mark (Ctrl+Z) are text.
bool IsBinaryByte(unsigned char c) {
  return c < 0x20 && c != '\t' && c != '\n' && c != '\v' && c != '\f' && c != '\r' && c != 0x1A;
}

bool IsUtf16(std::string_view bytes) {
  return bytes.size() >= 2 &&
         ((bytes[0] == '\xFF' && bytes[1] == '\xFE') || (bytes[0] == '\xFE' && bytes[1] == '\xFF'));
}

}  // namespace

ImportVerdict JudgeImport(std::string_view name, std::string_view bytes) {
  ImportVerdict verdict;
  const std::string who(name);
  if (IsUtf16(bytes)) {
    verdict.binary = true;
    verdict.note = who +
                   " is UTF-16 text, which a script cannot be: save it as UTF-8 or "
                   "Windows-1252 and import it again.";
    return verdict;
  }
  // The NUL that ends a saved script, and blanks or NULs after it, are no
  // sign of anything.
  size_t end = bytes.find_last_not_of(std::string_view(" \t\r\n\0", 5));
  end = end == std::string_view::npos ? 0 : end + 1;
  // The first NUL ends the script (what follows is the tail, said below);
  // every further control code counts.
  size_t controls = 0;
  bool first_nul = true;
  for (size_t i = 0; i < end; ++i) {
    if (bytes[i] == '\0' && first_nul) {
      first_nul = false;
      continue;
    }
    controls += IsBinaryByte(static_cast<unsigned char>(bytes[i]));
  }
  if (controls > 0 && controls * 100 > end) {
    verdict.binary = true;
    verdict.note = who + " does not look like a script: " + std::to_string(controls) + " of its " +
                   std::to_string(bytes.size()) + " bytes are control codes that no text holds.";
    return verdict;
  }
  // Nothing but NUL bytes (more than the one a saved empty script is) is
  // no empty script someone saved: say so, rather than open an empty box
  // without a word.
  if (bytes.size() > 1 && bytes.find_first_not_of('\0') == std::string_view::npos) {
    verdict.note = who + " holds no text: its " + std::to_string(bytes.size()) +
                   " bytes are all NUL bytes, so the script is empty.";
    return verdict;
  }
  verdict.tail = FindNulTail(bytes);
  // A file that says it is UTF-8 (with a byte-order mark) and is not all
  // UTF-8 loses those bytes when it is read.
  if (bytes.starts_with("\xEF\xBB\xBF")) {
    if (const Utf8Damage damage = FindUtf8Damage(bytes.substr(3)); !damage.empty()) {
      verdict.note = who + " starts with a UTF-8 byte-order mark, but " +
                     (damage.bytes == 1 ? std::string("one byte of it is")
                                        : std::to_string(damage.bytes) + " of its bytes are") +
                     " not UTF-8 (the first in line " + std::to_string(damage.line) + ", column " +
                     std::to_string(damage.column) + "): they could not be read and were replaced.";
    }
  }
  if (verdict.tail.bytes > 0) {
    if (!verdict.note.empty()) verdict.note += " ";
    verdict.note +=
        who + " has a NUL byte in line " + std::to_string(verdict.tail.line) +
        ", where a script ends: only the text before it was taken, and the " +
        (verdict.tail.bytes == 1 ? std::string("byte after it was")
                                 : std::to_string(verdict.tail.bytes) + " bytes after it were") +
        " left out.";
  }
  return verdict;
}

}  // namespace orbelin
