#include "shell/window_controller.h"

#include <optional>
#include <string_view>
#include <utility>

#include "base/caret_column.h"
#include "base/script_text.h"
#include "interp/script_file_run.h"
#include "shell/definition_file.h"
#include "shell/file_io.h"
#include "shell/hand_off.h"
#include "shell/settings_file.h"

namespace orbelin {

namespace {

// Line `line` (0-based) of a box text, or "" past its end.
std::string_view LineOf(std::string_view text, int line) {
  for (; line > 0; --line) {
    size_t end = text.find('\n');
    if (end == std::string_view::npos) return {};
    text.remove_prefix(end + 1);
  }
  return text.substr(0, text.find('\n'));
}

}  // namespace

WindowController::WindowController(Platform& platform, Session& session, std::string program_folder)
    : platform_(platform), session_(session), program_folder_(std::move(program_folder)) {}

void WindowController::Start() {
  ReadSettings(program_folder_, &hand_off_folder_);
  script_path_ = ReadDefinition(program_folder_);
  LoadStartupScript();
}

void WindowController::HandleCommand(int id) {
  switch (id) {
    case kDone:
      Done();
      break;
    case kLoadButton:
    case kLoadMenu:
      Load();
      break;
    case kSaveButton:
    case kSaveMenu:
      Save();
      break;
    case kCalcButton:
    case kCalcMenu:
      Calc();
      break;
    case kHandOffButton:
      HandOff();
      break;
    default:
      break;
  }
}

void WindowController::Calc() {
  if (script_path_.empty()) {
    platform_.ShowError("Erst speichern");
    return;
  }
  SaveScript();
  BuildFileNames();
  const ScriptFileRun run = RunScriptFile(session_, names_, SourceEncoding::kCp1252);
  switch (run.status) {
    case ScriptFileStatus::kScriptUnreadable:
    case ScriptFileStatus::kScriptNotAFile:
      platform_.ShowError(names_.script);
      return;
    case ScriptFileStatus::kResultsUncreatable:
      platform_.ShowError(names_.results);
      return;
    case ScriptFileStatus::kRan:
      break;
  }
  const RunResult& result = run.result;
  if (result.clean()) {
    platform_.SetBoxText(Box::kResults, BoxTextFromFile(result.results));
    return;
  }
  platform_.SetBoxText(Box::kResults, BoxTextFromFile(result.listing));
  platform_.ShowError("Compilation errors\n");
  PlaceCaret(result.errors.back().line - 1, result.errors.back().column - 1);
}

void WindowController::HandOff() {
  const HandOffPoint& point = session_.hand_off_point();
  if (!point.set) {
    platform_.ShowError("Kein Punkt gesetzt");
    return;
  }
  switch (SendPoint(platform_, point.lat, point.lon, hand_off_folder_)) {
    case SendResult::kNotRunning:
      platform_.ShowError("OziExplore not running");
      break;
    case SendResult::kCannotWrite:
      platform_.ShowError("Can not write file!");
      break;
    case SendResult::kSent:
      break;
  }
}

void WindowController::Done() {
  WriteDefinition(program_folder_, script_path_);
  SaveScript();
  platform_.EndWindow();
}

void WindowController::CloseRequest() {
  WriteDefinition(program_folder_, script_path_);
  platform_.EndWindow();
}

void WindowController::FocusChanged(Box box, bool gained) {
  platform_.SetInputPanel(gained && box == Box::kScript);
}

void WindowController::SaveScript() {
  SaveBoxToFile(script_path_, Box::kScript);
}

void WindowController::BuildFileNames() {
  names_ = orbelin::BuildFileNames(script_path_);
  script_path_ = names_.script;
}

// The results box takes the results file; it keeps its text when there is
// none.
void WindowController::ShowResults() {
  BuildFileNames();
  LoadBoxFromFile(names_.results, Box::kResults);
}

void WindowController::PlaceCaret(int line, int column) {
  const std::string text = platform_.BoxText(Box::kScript);
  platform_.PlaceCaret(Box::kScript, line, CaretIndexForColumn(LineOf(text, line), column));
}

bool WindowController::LoadBoxFromFile(const std::string& path, Box box) {
  std::optional<std::string> bytes = ReadWholeFile(path);
  if (!bytes) return false;
  // A script may come from a UTF-8 editor (the bundled examples are UTF-8);
  // results and listings are always Windows-1252.
  platform_.SetBoxText(
      box, box == Box::kScript ? BoxTextFromScriptFile(*bytes) : BoxTextFromFile(*bytes));
  return true;
}

bool WindowController::SaveBoxToFile(const std::string& path, Box box) {
  return !ReplaceFile(path, ScriptFileFromBoxText(platform_.BoxText(box)));
}

bool WindowController::LoadScript() {
  platform_.SetLabel(names_.name);
  return LoadBoxFromFile(script_path_, Box::kScript);
}

bool WindowController::ChooseScriptFile(bool open) {
  FileDialogRequest request;
  request.open = open;
  request.title = open ? "Open File" : "Save File";
  request.filter = "All (*.INP)";
  request.start_folder = program_folder_;
  std::optional<std::string> chosen = platform_.ChooseFile(request);
  if (!chosen) return false;

  script_path_ = *chosen;
  BuildFileNames();
  platform_.SetLabel(names_.name);
  if (open) {
    LoadScript();
    ShowResults();
  } else {
    SaveScript();
    platform_.SetBoxText(Box::kResults, "");
  }
  return true;
}

void WindowController::LoadStartupScript() {
  BuildFileNames();
  if (!LoadScript()) {
    script_path_.clear();
  } else {
    ShowResults();
  }
}

}  // namespace orbelin
