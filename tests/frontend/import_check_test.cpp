#include "frontend/import_check.h"

#include <gtest/gtest.h>

#include <string>

namespace orbelin {
namespace {

using std::string_literals::operator""s;

TEST(ImportCheck, ScriptsPassAndOtherFilesAreNamed) {
  const std::string text(200, 'A');
  struct Case {
    std::string bytes;
    bool binary;
    const char* note;
  } cases[] = {
      {"WRITE 1;\r\n", false, ""},
      // The NUL a saved script ends with, blanks or NULs after it, Ctrl+Z.
      {"WRITE 1;\r\n\0\0 \r\n"s, false, ""},
      {"WRITE 1;\x1A", false, ""},
      {"", false, ""},
      // One stray control code in 200 bytes is still text.
      {text + "\x1B", false, ""},
      {"A;\r\nB;\r\n\0C;\r\nD;"s, false,
       "x.inp has a NUL byte in line 3, where a script ends: only the text before it was taken, "
       "and the 6 bytes after it were left out."},
      {"A;\0B"s, false,
       "x.inp has a NUL byte in line 1, where a script ends: only the text before it was taken, "
       "and the byte after it was left out."},
      // A saved empty script is one NUL; more and nothing else is no script.
      {"\0"s, false, ""},
      {std::string(64, '\0'), false,
       "x.inp holds no text: its 64 bytes are all NUL bytes, so the script is empty."},
      // A file that says UTF-8 (the byte-order mark) but is not all UTF-8.
      {"\xEF\xBB\xBFWRITE 'ok';\r\n\tWRITE '\xE9\xFF';\r\n\xC3", false,
       "x.inp starts with a UTF-8 byte-order mark, but 3 of its bytes are not UTF-8 (the first "
       "in line 2, column 16): they could not be read and were replaced."},
      {"\xEF\xBB\xBFWRITE '\xC3\xA9';", false, ""},
      // A PNG's first bytes, a file of zeros, UTF-16.
      {"\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\0\x10"s, true,
       "x.inp does not look like a script: 6 of its 20 bytes are control codes that no text "
       "holds."},
      {std::string(64, '\0') + "A", true,
       "x.inp does not look like a script: 63 of its 65 bytes are control codes that no text "
       "holds."},
      {"\xFF\xFEW\0R\0"s, true,
       "x.inp is UTF-16 text, which a script cannot be: save it as UTF-8 or Windows-1252 and "
       "import it again."},
  };
  for (const Case& c : cases) {
    const ImportVerdict v = JudgeImport("x.inp", c.bytes);
    EXPECT_EQ(v.binary, c.binary) << c.bytes;
    EXPECT_EQ(v.note, c.note) << c.bytes;
  }
}

}  // namespace
}  // namespace orbelin
