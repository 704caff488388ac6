// The window ends: Done and the close button ask where a save cannot be
// made; the system's end request asks nobody and keeps what it cannot save
// in a new file, which the next start opens.
#include <optional>

#include "frontend/file_io.h"
#include "frontend/lost_characters.h"
#include "frontend/save_rules.h"
#include "frontend/script_bytes.h"
#include "window/definition_file.h"
#include "window/file_messages.h"
#include "window/recovery_copy.h"
#include "window/window_controller.h"

namespace orbelin {

void WindowController::Done() {
  if (ended_ || !SaveBeforeEnding()) return;
  WriteDefinition(program_folder_, script_path_);
  ForgetRecoveryCopy();
  ended_ = true;
  recovery_ = RecoveryCopy();
  platform_.EndWindow();
}

void WindowController::EndRequest() {
  if (ended_) return;
  ended_ = true;
  const std::string text = platform_.BoxText(Box::kScript);
  std::string definition = script_path_;
  const bool unsaved = script_path_.empty() ? !text.empty() : Modified() || !Exists(script_path_);
  bool kept_safe = !unsaved;  // in its file or a new one
  if (unsaved) {
    std::error_code error;
    bool lossy = false, changed = false;
    if (!script_path_.empty()) {
      lossy = !SavesUnharmed(script_path_, text);
      // Nobody can be asked which text to keep: both are kept.
      const std::optional<std::string> current = ReadWholeFile(script_path_);
      changed =
          !lossy && ChangedOnDisk(script_path_) && current && !FileHoldsBoxText(*current, text);
      if (!lossy && !changed) {
        error = ReplaceFile(script_path_, ScriptFileFromBoxText(text));
        kept_safe = !error;
      }
    }
    if (script_path_.empty() || lossy || changed || error) {
      const std::string kept =
          KeepInNewFile(text, names_.name.empty() ? "unsaved" : Stem(names_.name));
      std::string why = script_path_.empty() ? "The script had no file"
                        : lossy              ? "Saving " + script_path_ + " would have lost text"
                        : changed            ? script_path_ + " was changed by another program"
                                             : CouldNot("save", script_path_, error);
      if (!kept.empty()) {
        definition = kept;
        const std::string said = why + "; the text is in " + kept + ".";
        platform_.Report(said);
        // The next start says why it opens that file.
        recovery_.WriteEndedNote(said, kept);
        autosaved_.reset();
        kept_safe = true;
      } else {
        platform_.Report(why + ", and no new file could be written in " + program_folder_ + ".");
      }
    }
  }
  WriteDefinition(program_folder_, definition);
  // The copy of the unsaved text has done its part once the text is safe;
  // else it is all the next start has.
  if (kept_safe) ForgetRecoveryCopy();
  // What is left (a note, or the copy when nothing else kept the text) is
  // for the next start.
  recovery_ = RecoveryCopy();
  platform_.EndWindow();
}

// Done's save: true when the program may end, the script saved or given up.
bool WindowController::SaveBeforeEnding() {
  std::error_code error;
  if (!script_path_.empty()) {
    // An unchanged file is left alone: nothing to save, and a read-only or
    // UTF-8 file stays as it is.
    if (!Modified() && Exists(script_path_)) return true;
    Script script = TakeScript();
    switch (WriteScript(script_path_, script, &error)) {
      case SaveOutcome::kSaved:
        return true;
      case SaveOutcome::kDeclined:
        return false;
      case SaveOutcome::kFailed:
        break;
    }
  } else if (!Modified()) {
    return true;
  }
  const Question question{
      error ? CouldNot("save", script_path_, error) + "\nSave the script under another name?"
            : "Save the script you typed?",
      "Save As…", "Discard", false};
  for (;;) {
    const Answer answer = platform_.Ask(question);
    if (ended_ || answer == Answer::kCancel) return false;
    if (answer == Answer::kNo) return true;
    switch (SaveAs()) {
      case SaveOutcome::kSaved:
        return true;
      case SaveOutcome::kDeclined:
        return false;
      case SaveOutcome::kFailed:
        break;  // the error was shown: ask again
    }
  }
}

// Writes the text to a new file in the program folder, in UTF-8 where
// Windows-1252 would lose characters; its path, or "" when none could be
// written.
std::string WindowController::KeepInNewFile(const std::string& text, const std::string& stem) {
  const std::string bytes = CharactersLostOnSave(text).empty() ? ScriptFileFromBoxText(text)
                                                               : Utf8ScriptFileFromBoxText(text);
  for (int n = 1; n <= 100; ++n) {
    const std::string path =
        program_folder_ +
        NameThatFits(stem, "-recovered" + (n == 1 ? "" : "-" + std::to_string(n)) + ".inp");
    if (Exists(path)) continue;
    if (!ReplaceFile(path, bytes)) return path;
    return "";
  }
  return "";
}

}  // namespace orbelin
