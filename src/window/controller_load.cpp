// The box takes a file: Load, a file named on the command line or by a
// later start, the start-up script, and New (no file at all).
#include <optional>

#include "frontend/file_io.h"
#include "frontend/save_rules.h"
#include "frontend/script_bytes.h"
#include "window/file_messages.h"
#include "window/recent_files.h"
#include "window/window_controller.h"

namespace orbelin {

void WindowController::Load() {
  if (!SettleUnsavedEdits()) return;
  FileDialogRequest request;
  request.open = true;
  request.title = "Open File";
  request.filter = kScriptFilter;
  request.start_folder = ScriptFolder();
  std::optional<std::string> chosen = platform_.ChooseFile(request);
  if (!chosen) return;
  LoadScriptFile(*chosen, false);
}

void WindowController::Open(const std::string& path) {
  // A file that cannot be opened is named before anything is asked, and
  // the box keeps its script.
  const std::string script = orbelin::BuildFileNames(path).script;
  if (std::error_code error = CheckReadable(script)) {
    platform_.ShowError(CouldNot("open", script, error));
    // A recent script that is gone is not offered again.
    if (!Exists(script) && std::erase(recent_, script) > 0) {
      WriteRecentFiles(program_folder_, recent_);
      platform_.SetRecentFiles(recent_);
    }
    return;
  }
  if (!SettleUnsavedEdits(script)) return;
  LoadScriptFile(path, false);
}

void WindowController::New() {
  if (!SettleUnsavedEdits()) return;
  script_path_.clear();
  ++unsaved_count_;
  names_ = {};
  stamp_ = {};
  noted_.clear();
  agreed_lost_.clear();
  platform_.SetLabel("");
  platform_.SetBoxText(Box::kScript, "");
  ShowCalc("", {});
  UpdateTitle();
}

// The script box takes the file (".inp" added to a name without extension),
// which becomes the current script; its results follow. A file that cannot
// be read changes nothing, and says why unless `quiet`.
bool WindowController::LoadScriptFile(const std::string& path, bool quiet) {
  const ScriptFileNames names = orbelin::BuildFileNames(path);
  std::error_code error;
  std::optional<std::string> bytes = ReadWholeFile(names.script, &error);
  if (!bytes) {
    if (!quiet) platform_.ShowError(CouldNot("open", names.script, error));
    return false;
  }
  script_path_ = names.script;
  names_ = names;
  noted_.clear();
  agreed_lost_.clear();
  platform_.SetLabel(names_.name);
  // A script may come from a UTF-8 editor (the bundled examples are UTF-8).
  const std::string text = BoxTextFromScriptFile(*bytes);
  platform_.SetBoxText(Box::kScript, text);
  stamp_ = StampOf(script_path_);
  if (!quiet) Remember(script_path_);
  ShowResults();
  UpdateTitle();
  NoteLostCharacters(text);
  if (const NulTail tail = FindNulTail(*bytes); tail.bytes > 0) {
    platform_.ShowWarning(NulTailWarning(names_.name, tail));
  }
  return true;
}

void WindowController::LoadStartupScript() {
  BuildFileNames();
  if (script_path_.empty() || !LoadScriptFile(script_path_, true)) {
    script_path_.clear();
    names_ = {};
    platform_.SetLabel("");
  }
  UpdateTitle();
}

}  // namespace orbelin
