// What the window keeps in the home folder so that typed text outlives the
// program: a copy of unsaved text, written every few seconds, that a crash,
// a kill or a power cut leaves behind; and a note of the text the system's
// end request put into a file of its own. The next start offers the copy
// and explains the note.
#pragma once

#include <optional>
#include <string>
#include <system_error>

namespace orbelin {

// The copy's text, a script file, and the note of what it is.
inline constexpr const char* kRecoveryTextName = "Orbelin-unsaved.inp";
inline constexpr const char* kRecoveryNoteName = "Orbelin-unsaved.txt";

struct RecoveryNote {
  enum Kind { kCopy, kEnded } kind = kCopy;
  // kCopy: the script file the text was typed for ("" for none).
  // kEnded: what happened to the text, said to the user.
  std::string line;
};

// Writes the box's text (in UTF-8 where Windows-1252 lacks a character)
// and its note. `folder` ends with '/'.
std::error_code WriteRecoveryCopy(const std::string& folder, const std::string& box_text,
                                  const std::string& script);
// The end request's note: `message` is shown at the next start.
std::error_code WriteEndedNote(const std::string& folder, const std::string& message);

std::optional<RecoveryNote> ReadRecoveryNote(const std::string& folder);
// The copy's text as the box shows it, nothing when there is none.
std::optional<std::string> ReadRecoveryText(const std::string& folder);
void RemoveRecoveryCopy(const std::string& folder);

}  // namespace orbelin
