// When saving a box must ask first, and what it asks. The window and the
// page save by the same rules: nothing typed and nothing on disk is lost
// without a word.
//
// - A file that already holds the box's text is not written at all: it
//   stays as it is, byte for byte, in UTF-8 if an editor wrote it so.
// - Saving under a name that holds another script asks before replacing it.
// - Saving over a file with text after a NUL byte (which the box never
//   shows) asks before deleting that text.
// - Characters that a script file cannot hold are pointed out as they are
//   typed and asked about before they are saved as '?'.
// - A file that another program changed since it was loaded is not
//   overwritten without asking.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orbelin {

// A question that the user answers with one of up to three buttons: `yes`,
// `no` when it has a text, and Cancel, which is also what Escape and the
// close button answer.
struct Question {
  std::string text;
  std::string yes;  // e.g. "Save", "Replace"
  std::string no;   // e.g. "Discard", or "" for no such button
  // The answer Return gives: Cancel where `yes` destroys something.
  bool cancel_is_default = false;
};

enum class Answer { kYes, kNo, kCancel };

// Whether the file's bytes, read as Load reads them, are the box's text:
// then nothing needs writing.
bool FileHoldsBoxText(std::string_view file_bytes, std::string_view box_text);

// What follows a file's first NUL byte, which the box never shows and which
// saving the box over the file deletes. Nothing to lose (bytes 0) when
// there is no NUL or only NULs and blanks follow it, as after a saved
// script's own NUL.
struct NulTail {
  size_t bytes = 0;
  int line = 0;  // 1-based line of the NUL
};
NulTail FindNulTail(std::string_view file_bytes);

// Said when a file with such a tail is opened, and asked before saving over
// it. `name` is the file's name as the user knows it.
std::string NulTailWarning(const std::string& name, const NulTail& tail);
Question NulTailQuestion(const std::string& name, const NulTail& tail);

// Whether saving under a name must ask first: the name holds a script, and
// not the one being saved.
inline bool MustAskBeforeReplacing(bool target_exists, bool target_is_current) {
  return target_exists && !target_is_current;
}
Question ReplaceQuestion(const std::string& name);

// Characters that Windows-1252 lacks (see lost_characters.h): the note
// while typing, and the question before saving.
std::string LostCharactersNote(std::u32string_view fresh);
Question LostCharactersQuestion(std::u32string_view lost);

// Asked when the file changed on disk since the box took it: keep the box's
// text (`yes`, overwriting the file) or take the file's (`no`).
Question ChangedOnDiskQuestion(const std::string& name);

}  // namespace orbelin
