// The box goes to a file: Save, Save As, and the questions a save asks
// before it would lose anything (characters Windows-1252 lacks, text after a
// NUL byte, another file under the name, a file changed on disk).
#include <optional>

#include "frontend/file_io.h"
#include "frontend/lost_characters.h"
#include "frontend/save_rules.h"
#include "frontend/script_bytes.h"
#include "window/file_messages.h"
#include "window/window_controller.h"

namespace orbelin {

void WindowController::Save() {
  SaveAs();
}

void WindowController::SaveCurrent() {
  SaveUnderCurrentName();
}

void WindowController::ScriptEdited(const std::string& inserted) {
  if (ended_) return;
  NoteLostCharacters(inserted);
}

void WindowController::NoteLostCharacters(const std::string& text) {
  const std::u32string fresh = CharactersNotIn(CharactersLostOnSave(text), noted_);
  if (fresh.empty()) return;
  noted_ += fresh;
  platform_.ShowNote(LostCharactersNote(fresh));
}

WindowController::Script WindowController::TakeScript() {
  Script script;
  script.text = platform_.BoxText(Box::kScript);
  script.bytes = ScriptFileFromBoxText(script.text, &script.lost);
  return script;
}

WindowController::SaveOutcome WindowController::WriteScript(const std::string& path, Script& script,
                                                            std::error_code* error,
                                                            bool replacing_agreed) {
  const std::u32string lost = CharactersNotIn(CharactersLostOnSave(script.text), agreed_lost_);
  if (!lost.empty()) {
    if (platform_.Ask(LostCharactersQuestion(lost)) != Answer::kYes) return SaveOutcome::kDeclined;
    agreed_lost_ += lost;
  }
  if (std::optional<std::string> current = ReadWholeFile(path)) {
    // A file that holds the text already is left as it is: its encoding,
    // its line ends and the bytes after its NUL.
    if (FileHoldsBoxText(*current, script.text)) {
      platform_.SetScriptModified(false);
      stamp_ = StampOf(script_path_);
      return SaveOutcome::kSaved;
    }
    if (ChangedOnDisk(path)) {
      switch (platform_.Ask(ChangedOnDiskQuestion(FileName(path)))) {
        case Answer::kYes:
          break;
        case Answer::kNo:
          // The file's text wins: the box takes it, and what needed the
          // save goes on with it.
          if (!LoadScriptFile(script_path_, false)) return SaveOutcome::kDeclined;
          script = TakeScript();
          return SaveOutcome::kSaved;
        case Answer::kCancel:
          return SaveOutcome::kDeclined;
      }
    }
    const NulTail tail = FindNulTail(*current);
    if (tail.bytes > 0 && !replacing_agreed &&
        platform_.Ask(NulTailQuestion(FileName(path), tail)) != Answer::kYes) {
      return SaveOutcome::kDeclined;
    }
  }
  if (std::error_code failed = ReplaceFile(path, script.bytes)) {
    if (error != nullptr) *error = failed;
    return SaveOutcome::kFailed;
  }
  if (!lost.empty() || !CharactersLostOnSave(script.text).empty()) {
    // The file holds '?' where the box had characters Windows-1252 lacks:
    // the box shows what was saved, so that what runs is what is seen (an
    // undo brings the characters back, as unsaved changes).
    script.text = BoxTextFromScriptFile(script.bytes);
    platform_.EditScriptText(script.text);
  }
  platform_.SetScriptModified(false);
  if (SameFile(path, script_path_)) stamp_ = StampOf(script_path_);
  return SaveOutcome::kSaved;
}

// Whether `path` is the script file and another program wrote it since the
// box read or wrote it. A file deleted meanwhile loses nothing when written.
bool WindowController::ChangedOnDisk(const std::string& path) {
  if (script_path_.empty() || !stamp_.exists || !SameFile(path, script_path_)) return false;
  const FileStamp now = StampOf(script_path_);
  return now.exists && now != stamp_;
}

// Save (button S): a name from the dialog, ".inp" added when it has no
// extension; the results box is emptied once the file is written.
WindowController::SaveOutcome WindowController::SaveAs() {
  FileDialogRequest request;
  request.open = false;
  request.title = "Save File";
  request.filter = kScriptFilter;
  request.start_folder = ScriptFolder();
  std::optional<std::string> chosen = platform_.ChooseFile(request);
  if (!chosen) return SaveOutcome::kDeclined;

  const ScriptFileNames names = orbelin::BuildFileNames(*chosen);
  const bool other_file = MustAskBeforeReplacing(
      IsRegularFile(names.script), !script_path_.empty() && SameFile(names.script, script_path_));
  if (other_file && !ConfirmReplace(names.script)) return SaveOutcome::kDeclined;
  std::error_code error;
  Script script = TakeScript();
  const SaveOutcome outcome = WriteScript(names.script, script, &error, other_file);
  if (outcome == SaveOutcome::kFailed) platform_.ShowError(CouldNot("save", names.script, error));
  if (outcome != SaveOutcome::kSaved) return outcome;

  // What was tried on the text goes with it to its new name.
  if (tried_.Copy(TriedKey(), names.script)) tried_.Write(program_folder_);
  script_path_ = names.script;
  names_ = names;
  stamp_ = StampOf(script_path_);
  Remember(script_path_);
  platform_.SetLabel(names_.name);
  ShowCalc("", {});
  UpdateTitle();
  return SaveOutcome::kSaved;
}

WindowController::SaveOutcome WindowController::SaveUnderCurrentName() {
  if (script_path_.empty()) return SaveAs();
  std::error_code error;
  Script script = TakeScript();
  const SaveOutcome outcome = WriteScript(script_path_, script, &error);
  if (outcome == SaveOutcome::kFailed) platform_.ShowError(CouldNot("save", script_path_, error));
  return outcome;
}

bool WindowController::ConfirmReplace(const std::string& path) {
  return platform_.Ask(ReplaceQuestion(path)) == Answer::kYes;
}

// Before the box takes another file (`opening`, when it is known): true
// when its edits are saved or the user gave them up.
bool WindowController::SettleUnsavedEdits(const std::string& opening) {
  if (!Modified()) return true;
  const std::string before = opening.empty() ? "" : " before opening " + FileName(opening);
  const Question question =
      script_path_.empty()
          ? Question{"Save the script you typed" + before + "?", "Save As…", "Discard", false}
          : Question{"Save the changes to " + FileName(script_path_) + before + "?", "Save",
                     "Discard", false};
  switch (platform_.Ask(question)) {
    case Answer::kYes:
      return SaveUnderCurrentName() == SaveOutcome::kSaved;
    case Answer::kNo:
      return !ended_;
    case Answer::kCancel:
      break;
  }
  return false;
}

// Whether saving `text` over `path` keeps everything: every character has a
// Windows-1252 byte (or the user agreed to '?'), and no text after a NUL
// byte would be deleted.
bool WindowController::SavesUnharmed(const std::string& path, const std::string& text) {
  if (!CharactersNotIn(CharactersLostOnSave(text), agreed_lost_).empty()) return false;
  std::optional<std::string> current = ReadWholeFile(path);
  if (!current) return true;
  return FileHoldsBoxText(*current, text) || FindNulTail(*current).bytes == 0;
}

}  // namespace orbelin
