#include "shell/window_controller.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <string_view>
#include <utility>

#include "base/caret_column.h"
#include "base/point_forms.h"
#include "base/script_text.h"
#include "base/source_text.h"
#include "interp/script_file_run.h"
#include "shell/definition_file.h"
#include "shell/file_io.h"
#include "shell/hand_off.h"
#include "shell/lost_characters.h"
#include "shell/settings_file.h"

namespace orbelin {

namespace {

constexpr const char* kProgramName = "Orbelin";

// Line `line` (0-based) of a box text, or "" past its end.
std::string_view LineOf(std::string_view text, int line) {
  for (; line > 0; --line) {
    size_t end = text.find('\n');
    if (end == std::string_view::npos) return {};
    text.remove_prefix(end + 1);
  }
  return text.substr(0, text.find('\n'));
}

std::string FileName(const std::string& path) {
  return path.substr(path.rfind('/') + 1);
}

// The file name without its extension (a leading full stop is none).
std::string Stem(const std::string& name) {
  const size_t dot = name.rfind('.');
  return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

bool IsRegularFile(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool Exists(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0;
}

bool SameFile(const std::string& a, const std::string& b) {
  struct stat sa, sb;
  return stat(a.c_str(), &sa) == 0 && stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
         sa.st_ino == sb.st_ino;
}

std::string CouldNot(const char* verb, const std::string& path, std::error_code error) {
  return std::string("Could not ") + verb + " " + path + ": " + error.message() + ".";
}

std::string ItOrThey(size_t count) {
  return count == 1 ? "it becomes" : "they become";
}

// What follows a file's first NUL byte, which the box never shows and which
// saving the box over the file deletes. Nothing to lose (bytes 0) when
// there is no NUL or only NULs and blanks follow it, as after a saved
// script's own NUL.
struct NulTail {
  size_t bytes = 0;
  int line = 0;  // 1-based line of the NUL
};

NulTail FindNulTail(std::string_view file) {
  const size_t nul = file.find('\0');
  if (nul == std::string_view::npos) return {};
  const std::string_view rest = file.substr(nul + 1);
  if (rest.find_first_not_of(std::string_view(" \t\r\n\0", 5)) == std::string_view::npos) return {};
  const std::string before = BoxTextFromScriptFile(file.substr(0, nul));
  return {rest.size(), 1 + static_cast<int>(std::count(before.begin(), before.end(), '\n'))};
}

// A saved script in UTF-8 rather than Windows-1252: CR LF line ends and a
// NUL at the end, with every character kept. The window's Load recognises
// UTF-8.
std::string Utf8ScriptFile(std::string_view text) {
  std::string bytes;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) bytes += '\r';
    bytes += text[i];
  }
  bytes += '\0';
  return bytes;
}

std::u32string NotIn(std::u32string_view characters, std::u32string_view these) {
  std::u32string rest;
  for (char32_t c : characters) {
    if (these.find(c) == std::u32string_view::npos) rest += c;
  }
  return rest;
}

}  // namespace

WindowController::WindowController(Platform& platform, Session& session, std::string program_folder)
    : platform_(platform), session_(session), program_folder_(std::move(program_folder)) {}

void WindowController::Start(const std::string& file) {
  hand_off_folder_.clear();
  ReadSettings(program_folder_, &hand_off_folder_);
  // The handheld's root folder is no place an ordinary user may write:
  // without a folder of its own the file goes to the home folder.
  hand_off_folder_default_ = hand_off_folder_.empty();
  if (hand_off_folder_default_) {
    hand_off_folder_ = program_folder_;
    if (!hand_off_folder_.empty() && hand_off_folder_.back() == '/') hand_off_folder_.pop_back();
  }
  platform_.SetHandOffNote("Hand-off file: " + ExchangeFilePath(hand_off_folder_));
  script_path_ = ReadDefinition(program_folder_);
  if (!file.empty() && LoadScriptFile(file, false)) return;
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
    case kSaveCurrent:
      SaveCurrent();
      break;
    case kCalcButton:
    case kCalcMenu:
      Calc();
      break;
    case kHandOffButton:
      HandOff();
      break;
    case kExportGpx:
      ExportGpx();
      break;
    case kOpenInMap:
      OpenInMap();
      break;
    case kCopyCoordinates:
      CopyCoordinates();
      break;
    case kHandOffInfo:
      HandOffInfo();
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
  // The run reads the file: when the box's text did not get there, the old
  // text must not run in its place.
  std::error_code error;
  switch (WriteScript(script_path_, &error)) {
    case SaveOutcome::kSaved:
      break;
    case SaveOutcome::kDeclined:
      return;
    case SaveOutcome::kFailed:
      platform_.ShowError(CouldNot("save", script_path_, error));
      return;
  }
  BuildFileNames();
  const ScriptFileRun run = RunScriptFile(session_, names_, SourceEncoding::kCp1252);
  switch (run.status) {
    case ScriptFileStatus::kScriptUnreadable:
      platform_.ShowError(
          CouldNot("read", names_.script, std::error_code(run.os_error, std::generic_category())));
      return;
    case ScriptFileStatus::kScriptNotAFile:
      platform_.ShowError(CouldNot("read", names_.script,
                                   run.os_error == EISDIR
                                       ? std::error_code(EISDIR, std::generic_category())
                                       : NotARegularFile()));
      return;
    case ScriptFileStatus::kResultsUncreatable:
      platform_.ShowError(CouldNot("write", names_.results,
                                   std::error_code(run.os_error, std::generic_category())));
      return;
    case ScriptFileStatus::kRan:
      break;
  }
  const RunResult& result = run.result;
  platform_.SetBoxText(Box::kResults,
                       BoxTextFromFile(result.clean() ? result.results : result.listing));
  if (run.results_error != 0) {
    platform_.ShowError(CouldNot("write", names_.results,
                                 std::error_code(run.results_error, std::generic_category())));
  }
  if (run.listing_error != 0) {
    platform_.ShowError(CouldNot("write", names_.listing,
                                 std::error_code(run.listing_error, std::generic_category())));
  }
  if (result.clean()) return;
  platform_.ShowError("Compilation errors\n");
  PlaceCaret(result.errors.back().line - 1, result.errors.back().column - 1);
}

void WindowController::Load() {
  if (!SettleUnsavedEdits()) return;
  FileDialogRequest request;
  request.open = true;
  request.title = "Open File";
  request.filter = "All (*.INP)";
  request.start_folder = program_folder_;
  std::optional<std::string> chosen = platform_.ChooseFile(request);
  if (!chosen) return;
  LoadScriptFile(*chosen, false);
}

void WindowController::Open(const std::string& path) {
  if (!SettleUnsavedEdits()) return;
  LoadScriptFile(path, false);
}

void WindowController::Save() {
  SaveAs();
}

void WindowController::SaveCurrent() {
  SaveUnderCurrentName();
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

void WindowController::HandOffInfo() {
  const std::string file = ExchangeFilePath(hand_off_folder_);
  const std::string settings = program_folder_ + kSettingsFileName;
  std::string text = "Button O writes the point to " + file + ", for the map program to read.\n";
  if (hand_off_folder_default_) {
    text +=
        "Orbelin.ini names no folder for it, so it goes to Orbelin's home folder. To use another "
        "folder, write it on the first line of " +
        settings + " and start Orbelin again.";
  } else {
    text += "The folder is the first line of " + settings +
            "; a change there counts from the next start.";
  }
  platform_.ShowInformation(text);
}

bool WindowController::HasPoint() {
  if (session_.hand_off_point().set) return true;
  platform_.ShowError("Kein Punkt gesetzt");
  return false;
}

void WindowController::ExportGpx() {
  if (!HasPoint()) return;
  const std::string stem = names_.name.empty() ? kProgramName : Stem(names_.name);
  FileDialogRequest request;
  request.open = false;
  request.title = "Export as GPX";
  request.filter = "GPX (*.gpx)";
  request.start_folder = script_path_.empty() ? program_folder_ : names_.folder;
  request.file_name = stem + ".gpx";
  std::optional<std::string> chosen = platform_.ChooseFile(request);
  if (!chosen) return;
  std::string path = *chosen;
  if (Stem(FileName(path)) == FileName(path)) path += ".gpx";
  if (IsRegularFile(path) && !ConfirmReplace(path)) return;
  const HandOffPoint& point = session_.hand_off_point();
  if (std::error_code error = ReplaceFile(path, GpxWaypoint(point.lat, point.lon, stem))) {
    platform_.ShowError(CouldNot("save", path, error));
  }
}

void WindowController::OpenInMap() {
  if (!HasPoint()) return;
  const std::string uri = GeoUri(session_.hand_off_point().lat, session_.hand_off_point().lon);
  if (!platform_.OpenLink(uri)) {
    platform_.ShowError("No program opened " + uri +
                        ". Choose a program for geo: links in the desktop's settings, or use Copy "
                        "coordinates.");
  }
}

void WindowController::CopyCoordinates() {
  if (!HasPoint()) return;
  platform_.SetClipboard(
      CoordinateText(session_.hand_off_point().lat, session_.hand_off_point().lon));
}

void WindowController::Done() {
  if (ended_ || !SaveBeforeEnding()) return;
  WriteDefinition(program_folder_, script_path_);
  ended_ = true;
  platform_.EndWindow();
}

void WindowController::EndRequest() {
  if (ended_) return;
  ended_ = true;
  const std::string text = platform_.BoxText(Box::kScript);
  std::string definition = script_path_;
  const bool unsaved = script_path_.empty() ? !text.empty() : Modified() || !Exists(script_path_);
  if (unsaved) {
    std::error_code error;
    bool lossy = false;
    if (!script_path_.empty()) {
      lossy = !SavesUnharmed(script_path_, text);
      if (!lossy) error = ReplaceFile(script_path_, ScriptFileFromBoxText(text));
    }
    if (script_path_.empty() || lossy || error) {
      const std::string kept = KeepInNewFile(text);
      std::string why = script_path_.empty() ? "The script had no file"
                        : lossy              ? "Saving " + script_path_ + " would have lost text"
                                             : CouldNot("save", script_path_, error);
      if (!kept.empty()) {
        definition = kept;
        platform_.Report(why + "; the text is in " + kept + ".");
      } else {
        platform_.Report(why + ", and no new file could be written in " + program_folder_ + ".");
      }
    }
  }
  WriteDefinition(program_folder_, definition);
  platform_.EndWindow();
}

void WindowController::ScriptEdited() {
  if (ended_) return;
  UpdateTitle();
  NoteLostCharacters(platform_.BoxText(Box::kScript));
}

void WindowController::FocusChanged(Box box, bool gained) {
  platform_.SetInputPanel(gained && box == Box::kScript);
}

void WindowController::NoteLostCharacters(const std::string& text) {
  const std::u32string fresh = NotIn(CharactersLostOnSave(text), noted_);
  if (fresh.empty()) return;
  noted_ += fresh;
  platform_.ShowNote(ListCharacters(fresh) + " cannot be saved in a script file (Windows-1252): " +
                     ItOrThey(fresh.size()) + " '?'.");
}

WindowController::SaveOutcome WindowController::WriteScript(const std::string& path,
                                                            std::error_code* error,
                                                            bool replacing_agreed) {
  const std::string text = platform_.BoxText(Box::kScript);
  const std::u32string lost = NotIn(CharactersLostOnSave(text), agreed_lost_);
  if (!lost.empty()) {
    const Question question{"Windows-1252, the code of script files, has no " +
                                ListCharacters(lost, "or") + ": saved, " + ItOrThey(lost.size()) +
                                " '?'.",
                            "Save Anyway", "", true};
    if (platform_.Ask(question) != Answer::kYes) return SaveOutcome::kDeclined;
    agreed_lost_ += lost;
  }
  const std::string bytes = ScriptFileFromBoxText(text);
  if (std::optional<std::string> current = ReadWholeFile(path)) {
    // A file that holds the text already is left as it is, and so are the
    // bytes after its NUL.
    if (CutAtNul(*current) == CutAtNul(bytes)) {
      saved_text_ = text;
      UpdateTitle();
      return SaveOutcome::kSaved;
    }
    const NulTail tail = FindNulTail(*current);
    if (tail.bytes > 0 && !replacing_agreed) {
      const Question question{FileName(path) + " has " + std::to_string(tail.bytes) +
                                  " bytes after a NUL byte in line " + std::to_string(tail.line) +
                                  ", which the box does not show. Saving deletes them.",
                              "Save Anyway", "", true};
      if (platform_.Ask(question) != Answer::kYes) return SaveOutcome::kDeclined;
    }
  }
  if (std::error_code failed = ReplaceFile(path, bytes)) {
    if (error != nullptr) *error = failed;
    return SaveOutcome::kFailed;
  }
  saved_text_ = text;
  UpdateTitle();
  return SaveOutcome::kSaved;
}

// Save (button S): a name from the dialog, ".inp" added when it has no
// extension; the results box is emptied once the file is written.
WindowController::SaveOutcome WindowController::SaveAs() {
  FileDialogRequest request;
  request.open = false;
  request.title = "Save File";
  request.filter = "All (*.INP)";
  request.start_folder = program_folder_;
  std::optional<std::string> chosen = platform_.ChooseFile(request);
  if (!chosen) return SaveOutcome::kDeclined;

  const ScriptFileNames names = orbelin::BuildFileNames(*chosen);
  const bool other_file = IsRegularFile(names.script) &&
                          (script_path_.empty() || !SameFile(names.script, script_path_));
  if (other_file && !ConfirmReplace(names.script)) return SaveOutcome::kDeclined;
  std::error_code error;
  const SaveOutcome outcome = WriteScript(names.script, &error, other_file);
  if (outcome == SaveOutcome::kFailed) platform_.ShowError(CouldNot("save", names.script, error));
  if (outcome != SaveOutcome::kSaved) return outcome;

  script_path_ = names.script;
  names_ = names;
  platform_.SetLabel(names_.name);
  platform_.SetBoxText(Box::kResults, "");
  UpdateTitle();
  return SaveOutcome::kSaved;
}

WindowController::SaveOutcome WindowController::SaveUnderCurrentName() {
  if (script_path_.empty()) return SaveAs();
  std::error_code error;
  const SaveOutcome outcome = WriteScript(script_path_, &error);
  if (outcome == SaveOutcome::kFailed) platform_.ShowError(CouldNot("save", script_path_, error));
  return outcome;
}

bool WindowController::ConfirmReplace(const std::string& path) {
  return platform_.Ask({path + " already exists. Replace it?", "Replace", "", true}) ==
         Answer::kYes;
}

// Before the box takes another file: true when its edits are saved or the
// user gave them up.
bool WindowController::SettleUnsavedEdits() {
  if (!Modified()) return true;
  const Question question =
      script_path_.empty() ? Question{"Save the script you typed?", "Save As…", "Discard", false}
                           : Question{"Save the changes to " + FileName(script_path_) + "?", "Save",
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

// Done's save: true when the program may end, the script saved or given up.
bool WindowController::SaveBeforeEnding() {
  std::error_code error;
  if (!script_path_.empty()) {
    // An unchanged file is left alone: nothing to save, and a read-only or
    // UTF-8 file stays as it is.
    if (!Modified() && Exists(script_path_)) return true;
    switch (WriteScript(script_path_, &error)) {
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

// Whether saving `text` over `path` keeps everything: every character has a
// Windows-1252 byte (or the user agreed to '?'), and no text after a NUL
// byte would be deleted.
bool WindowController::SavesUnharmed(const std::string& path, const std::string& text) {
  if (!NotIn(CharactersLostOnSave(text), agreed_lost_).empty()) return false;
  std::optional<std::string> current = ReadWholeFile(path);
  if (!current) return true;
  return CutAtNul(*current) == CutAtNul(ScriptFileFromBoxText(text)) ||
         FindNulTail(*current).bytes == 0;
}

// Writes the text to a new file in the program folder, in UTF-8 where
// Windows-1252 would lose characters; its path, or "" when none could be
// written.
std::string WindowController::KeepInNewFile(const std::string& text) {
  const std::string stem = names_.name.empty() ? "unsaved" : Stem(names_.name);
  const std::string bytes =
      CharactersLostOnSave(text).empty() ? ScriptFileFromBoxText(text) : Utf8ScriptFile(text);
  for (int n = 1; n <= 100; ++n) {
    const std::string path =
        program_folder_ + stem + "-recovered" + (n == 1 ? "" : "-" + std::to_string(n)) + ".inp";
    if (Exists(path)) continue;
    if (!ReplaceFile(path, bytes)) return path;
    return "";
  }
  return "";
}

void WindowController::UpdateTitle() {
  const std::string name = script_path_.empty() ? "" : names_.name;
  platform_.SetTitle((Modified() ? "*" : "") +
                     (name.empty() ? std::string(kProgramName) : name + " - " + kProgramName));
}

void WindowController::BuildFileNames() {
  names_ = orbelin::BuildFileNames(script_path_);
  script_path_ = names_.script;
}

// The results box takes the results file; it keeps its text when there is
// none.
void WindowController::ShowResults() {
  BuildFileNames();
  if (std::optional<std::string> bytes = ReadWholeFile(names_.results)) {
    platform_.SetBoxText(Box::kResults, BoxTextFromFile(*bytes));
  }
}

void WindowController::PlaceCaret(int line, int column) {
  const std::string text = platform_.BoxText(Box::kScript);
  platform_.PlaceCaret(Box::kScript, line, CaretIndexForColumn(LineOf(text, line), column));
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
  platform_.SetBoxText(Box::kScript, BoxTextFromScriptFile(*bytes));
  saved_text_ = platform_.BoxText(Box::kScript);
  ShowResults();
  UpdateTitle();
  NoteLostCharacters(saved_text_);
  const NulTail tail = FindNulTail(*bytes);
  if (tail.bytes > 0) {
    platform_.ShowWarning(names_.name + " has a NUL byte in line " + std::to_string(tail.line) +
                          ": the box shows only the text before it, and only that runs. Saving "
                          "the box into this file would delete the " +
                          std::to_string(tail.bytes) + " bytes after the NUL.");
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
