#include "frontend/script_bytes.h"

#include <gtest/gtest.h>

namespace orbelin {
namespace {

using namespace std::string_literals;

TEST(ScriptFileFromBoxText, TextAndOneNulByte) {
  // Two characters make three bytes.
  EXPECT_EQ(ScriptFileFromBoxText("A;"), "A;\0"s);
  EXPECT_EQ(ScriptFileFromBoxText(""), "\0"s);
}

TEST(ScriptFileFromBoxText, LineEndsBecomeCrLfAndTextWindows1252) {
  struct Case {
    std::string box, file;
  } cases[] = {
      {"VAR A;\nA = 2;", "VAR A;\r\nA = 2;\0"s},
      {"\n\n", "\r\n\r\n\0"s},
      {"a\r\nb", "a\r\nb\0"s},  // never CR CR LF
      {"Grüße °",
       "Gr\xFC\xDF"
       "e \xB0\0"s},
      {"€ „x“", "\x80 \x84x\x93\0"s},
      {"\xE2\x9C\x93 \xF0\x9F\x98\x80", "? ?\0"s},  // no Windows-1252 form: one '?' each
  };
  for (const Case& c : cases) EXPECT_EQ(ScriptFileFromBoxText(c.box), c.file) << c.box;
}

TEST(BoxTextFromFile, StopsAtNulAndTakesCrLfOrLf) {
  struct Case {
    std::string file, box;
  } cases[] = {
      {"VAR A;\r\nA = 2;\0"s, "VAR A;\nA = 2;"},
      {"VAR A;\nA = 2;\n", "VAR A;\nA = 2;\n"},
      {"x\0hidden"s, "x"},
      {"a\rb\r", "a\nb\n"},
      {"Line 3, Col 1: \xE4\xF6\xFC\xDF\xB0\n", "Line 3, Col 1: äöüß°\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(BoxTextFromFile(c.file), c.box);
}

TEST(BoxText, SavedScriptLoadsBackUnchanged) {
  const std::string text = "VAR Ä;\n\tÄ = 1; -- ß\n\nWRITE 'µ', Ä;";
  EXPECT_EQ(BoxTextFromFile(ScriptFileFromBoxText(text)), text);
}

// A script written in a UTF-8 editor loads as UTF-8; anything else is
// Windows-1252, as the window saves.
TEST(BoxTextFromScriptFile, RecognisesUtf8AsTheCommandLineDoes) {
  struct Case {
    std::string bytes, text;
  } cases[] = {
      {"WRITE \xC2\xB0N 48 30;\r\n", "WRITE \xC2\xB0N 48 30;\n"},         // UTF-8
      {"\xEF\xBB\xBFWRITE 1;\n", "WRITE 1;\n"},                           // byte-order mark
      {"WRITE \xB0N 48 30;\r\n\0", "WRITE \xC2\xB0N 48 30;\n"},           // Windows-1252
      {std::string("WRITE '\xC3\xA4';\0tail", 15), "WRITE '\xC3\xA4';"},  // cut at NUL
  };
  for (const Case& c : cases) EXPECT_EQ(BoxTextFromScriptFile(c.bytes), c.text) << c.bytes;
}

}  // namespace
}  // namespace orbelin
