// The copy of unsaved text that outlives a crash: written every few
// seconds, offered back by the next start, removed once the text is safe.
#include <optional>

#include "frontend/file_io.h"
#include "frontend/script_names.h"
#include "window/file_messages.h"
#include "window/recovery_copy.h"
#include "window/window_controller.h"

namespace orbelin {

// What the last run left in the home folder: a copy of unsaved text (it
// crashed, was killed, or the power went), offered back; or the note that
// the system's end request put the text into a file of its own, which the
// definition has opened now.
void WindowController::OfferRecoveryCopy() {
  const std::optional<RecoveryNote> note = ReadRecoveryNote(program_folder_);
  if (!note) return;
  if (note->kind == RecoveryNote::kEnded) {
    RemoveRecoveryCopy(program_folder_);
    platform_.ShowInformation(
        "Orbelin was last ended by the system (at log-out or shut-down) with unsaved text. " +
        note->line + " That file is open now.");
    return;
  }
  const std::optional<std::string> text = ReadRecoveryText(program_folder_);
  if (!text) {
    RemoveRecoveryCopy(program_folder_);
    return;
  }
  const std::string copy = program_folder_ + kRecoveryTextName;
  const std::string& script = note->line;
  const std::string typed_for = script.empty() ? "a script that had no file yet" : script;
  const Question question{"Orbelin ended without saving the text typed for " + typed_for +
                              " (a crash, or the computer was switched off). A copy from a few "
                              "seconds before is in " +
                              copy + ". Restore it into the box?",
                          "Restore", "Discard", false};
  switch (platform_.Ask(question)) {
    case Answer::kYes:
      // The copy becomes unsaved edits of its script, to be saved as any.
      if (script.empty() || (script != script_path_ && !LoadScriptFile(script, false))) {
        script_path_.clear();
        names_ = {};
        platform_.SetLabel("");
        UpdateTitle();
      }
      platform_.SetBoxText(Box::kScript, *text);
      platform_.SetScriptModified(true);
      NoteLostCharacters(*text);
      // The copy on disk is this run's now: gone once the text is saved.
      autosaved_ = *text;
      break;
    case Answer::kNo:
      RemoveRecoveryCopy(program_folder_);
      break;
    case Answer::kCancel: {
      // Neither: the next copy must not overwrite it, so it gets a file of
      // its own.
      const std::string stem = script.empty() ? "unsaved" : Stem(FileName(script));
      const std::string kept = KeepInNewFile(*text, stem);
      if (kept.empty()) break;
      RemoveRecoveryCopy(program_folder_);
      platform_.ShowInformation("The copy is kept in " + kept + ".");
      break;
    }
  }
}

void WindowController::Autosave() {
  if (ended_) return;
  if (!Modified()) {
    ForgetRecoveryCopy();
    return;
  }
  const std::string text = platform_.BoxText(Box::kScript);
  if (autosaved_ == text) return;
  // A copy that cannot be written is tried again at the next tick.
  if (!WriteRecoveryCopy(program_folder_, text, script_path_)) autosaved_ = text;
}

void WindowController::ForgetRecoveryCopy() {
  if (!autosaved_) return;
  RemoveRecoveryCopy(program_folder_);
  autosaved_.reset();
}

}  // namespace orbelin
