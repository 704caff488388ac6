// A script between its file's bytes and the text the front ends show.
//
// On disk a script is Windows-1252 with CR LF line ends and one NUL byte at
// the end (as Orbelin has always saved scripts), or UTF-8 when another
// editor wrote it.
// The window's box and the page hold Unicode (UTF-8 here) with "\n" line
// ends; the interpreter runs Windows-1252.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "frontend/lost_characters.h"

namespace orbelin {

// Whether a file's bytes are UTF-8 rather than Windows-1252: they start with
// a byte-order mark, or they are valid UTF-8 with non-ASCII bytes (which
// Windows-1252 text of any length almost never is). The one rule of every
// front end: the command line's automatic encoding, the window's and the
// page's Load.
bool ReadsAsUtf8(std::string_view bytes);

enum class SourceEncoding {
  kCp1252,  // the bytes are taken as they are (what the window saves)
  kAuto,    // UTF-8 where ReadsAsUtf8 says so, else Windows-1252
  kUtf8,    // always read as UTF-8 and converted
};

// What reading a script as UTF-8 changed in silence: each byte that is no
// UTF-8 becomes '?'. Only the text before the first NUL counts (the rest is
// never run).
struct Utf8Damage {
  size_t bytes = 0;  // how many bytes were no UTF-8
  int line = 0;      // the first one's line, from 1
  int column = 0;    // its column, from 1, tabs to their stops as the scanner counts

  bool empty() const { return bytes == 0; }
};
Utf8Damage FindUtf8Damage(std::string_view utf8);

// The script text the interpreter runs. A character with no Windows-1252
// form becomes '?'; a UTF-8 byte-order mark at the start is dropped (in
// kCp1252 mode the bytes stay as they are). Bytes that need no change are
// handed back without a copy: a script may be megabytes long. Where the
// bytes are read as UTF-8 and some are not, *damage says where; with `lost`,
// the characters Windows-1252 has no byte for, which became '?', and where.
std::string DecodeScript(std::string bytes, SourceEncoding encoding, Utf8Damage* damage = nullptr,
                         std::vector<LostCharacter>* lost = nullptr);

// A file's text as a box shows it: the bytes up to the first NUL (a saved
// script ends with one), converted from Windows-1252 to UTF-8, with CR LF and
// a lone CR turned into "\n". Results and listings are shown this way.
std::string BoxTextFromFile(std::string_view bytes);

// A script file's text as the editor shows it: as BoxTextFromFile, except
// that a file that ReadsAsUtf8 is read as UTF-8 (its byte-order mark
// dropped).
std::string BoxTextFromScriptFile(std::string_view bytes);

// The bytes of a saved script: line ends become CR LF, as Orbelin's script
// files have always had them, the text becomes Windows-1252 ('?' for a character it
// cannot hold) and one NUL byte ends it. This is also the text a Calc of the
// box runs. With `lost`, the characters that became '?' and where.
std::string ScriptFileFromBoxText(std::string_view text,
                                  std::vector<LostCharacter>* lost = nullptr);

// The same layout in UTF-8, where Windows-1252 would lose characters: CR LF
// line ends and the closing NUL, every character kept. Load reads it back as
// UTF-8.
std::string Utf8ScriptFileFromBoxText(std::string_view text);

}  // namespace orbelin
