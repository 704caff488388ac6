// Moving a script between an editor's text (Unicode, "\n" line ends), as the
// window's box and the web page hold it, and the script file's bytes
// (Windows-1252, CR LF, a NUL at the end).
#pragma once

#include <string>
#include <string_view>

namespace orbelin {

// A file's text as a box shows it: the bytes up to the first NUL (a saved
// script ends with one), converted from Windows-1252 to UTF-8, with CR LF and
// a lone CR turned into "\n".
std::string BoxTextFromFile(std::string_view bytes);

// A script file's text as the editor shows it: as BoxTextFromFile, except
// that a file written in UTF-8 (one that starts with a byte-order mark, or
// valid UTF-8 with non-ASCII bytes, as the command line's automatic
// encoding recognises it) is read as UTF-8.
std::string BoxTextFromScriptFile(std::string_view bytes);

// The bytes of a saved script: line ends become CR LF, as the handheld's
// boxes had them, the text becomes Windows-1252 ('?' for a character it
// cannot hold) and one NUL byte ends it.
std::string ScriptFileFromBoxText(std::string_view text);

}  // namespace orbelin
