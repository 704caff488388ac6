// The copy of unsaved text that outlives a crash: written every few
// seconds, offered back by the next start, removed once the text is safe.
#include <optional>

#include "frontend/file_io.h"
#include "frontend/script_names.h"
#include "window/file_messages.h"
#include "window/recovery_copy.h"
#include "window/window_controller.h"

namespace orbelin {

// What windows that are gone left in the home folder: copies of unsaved
// text (a crash, a kill, the power went), offered back one by one; and
// notes that the system's end request put the text into a file of its own.
void WindowController::OfferRecoveryCopies() {
  for (RecoveryCopy& orphan : RecoveryCopy::FindOrphans(program_folder_)) {
    if (ended_) return;
    OfferRecoveryCopy(orphan);
  }
}

void WindowController::OfferRecoveryCopy(RecoveryCopy& orphan) {
  const std::optional<RecoveryNote> note = orphan.ReadNote();
  if (!note) return;
  if (note->kind == RecoveryNote::kEnded) {
    orphan.Remove();
    std::string said =
        "Orbelin was last ended by the system (at log-out or shut-down) with "
        "unsaved text. " +
        note->line;
    // The definition names that file, but a file named at this start is
    // what opened.
    if (!note->file.empty() && !script_path_.empty() && SameFile(note->file, script_path_)) {
      said += " That file is open now.";
    } else if (!note->file.empty() && Exists(note->file)) {
      Remember(note->file);
      said += " It is not open now: File > Recent lists it.";
    }
    platform_.ShowInformation(said);
    return;
  }
  const std::optional<std::string> text = orphan.ReadText();
  if (!text) {
    orphan.Remove();
    return;
  }
  const std::string& script = note->line;
  const std::string typed_for = script.empty() ? "a script that had no file yet" : script;
  const Question question{"Orbelin ended without saving the text typed for " + typed_for +
                              " (a crash, or the computer was switched off). A copy from a few "
                              "seconds before is in " +
                              orphan.text_path() + ". Restore it into the box?",
                          "Restore", "Discard", false};
  Answer answer = platform_.Ask(question);
  // A copy restored before this one holds the box: it is settled first, or
  // this one is kept aside.
  if (answer == Answer::kYes && Modified() && !SettleUnsavedEdits()) answer = Answer::kCancel;
  if (ended_) return;
  switch (answer) {
    case Answer::kYes:
      // The copy becomes unsaved edits of its script, to be saved as any.
      if (script.empty() || (script != script_path_ && !LoadScriptFile(script, false))) {
        script_path_.clear();
        names_ = {};
        stamp_ = {};
        platform_.SetLabel("");
        UpdateTitle();
      }
      platform_.SetBoxText(Box::kScript, *text);
      platform_.SetScriptModified(true);
      NoteLostCharacters(*text);
      // This window's own copy takes over; the orphan goes once it is
      // written.
      autosaved_.reset();
      Autosave();
      if (autosaved_) orphan.Remove();
      break;
    case Answer::kNo:
      orphan.Remove();
      break;
    case Answer::kCancel: {
      // Neither: it gets a file of its own, which no copy overwrites.
      const std::string stem = script.empty() ? "unsaved" : Stem(FileName(script));
      const std::string kept = KeepInNewFile(*text, stem);
      if (kept.empty()) break;
      orphan.Remove();
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
  if (!recovery_.Write(text, script_path_)) autosaved_ = text;
}

// Only this window's copy: another window's is its own business.
void WindowController::ForgetRecoveryCopy() {
  if (!autosaved_) return;
  recovery_.Remove();
  autosaved_.reset();
}

}  // namespace orbelin
