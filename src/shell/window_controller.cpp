#include "shell/window_controller.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <string_view>
#include <utility>

#include "base/source_text.h"
#include "frontend/calc.h"
#include "frontend/file_io.h"
#include "frontend/lost_characters.h"
#include "frontend/output_plan.h"
#include "frontend/point.h"
#include "frontend/save_rules.h"
#include "frontend/script_bytes.h"
#include "frontend/script_file_calc.h"
#include "shell/definition_file.h"
#include "shell/hand_off.h"
#include "shell/recent_files.h"
#include "shell/recovery_copy.h"
#include "shell/settings_file.h"

namespace orbelin {

namespace {

constexpr const char* kProgramName = "Orbelin";
// Scripts first; any other name may be typed or chosen too.
constexpr const char* kScriptFilter = "All (*.INP);;All files (*)";

std::string FileName(const std::string& path) {
  return path.substr(path.rfind('/') + 1);
}

std::string CouldNot(const char* verb, const std::string& path, std::error_code error) {
  return std::string("Could not ") + verb + " " + path + ": " + error.message() + ".";
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
  std::string settings_note;
  ReadSettings(program_folder_, &hand_off_folder_, &settings_note);
  if (!settings_note.empty()) platform_.ShowWarning(settings_note);
  // The root folder, where the exchange file has always gone without a
  // folder named for it, is no place an ordinary user may write:
  // without a folder of its own the file goes to the home folder.
  hand_off_folder_default_ = hand_off_folder_.empty();
  if (hand_off_folder_default_) {
    hand_off_folder_ = program_folder_;
    if (!hand_off_folder_.empty() && hand_off_folder_.back() == '/') hand_off_folder_.pop_back();
  }
  platform_.SetHandOffNote("Hand-off file: " + ExchangeFilePath(hand_off_folder_));
  recent_ = ReadRecentFiles(program_folder_);
  platform_.SetRecentFiles(recent_);
  script_path_ = ReadDefinition(program_folder_);
  if (file.empty() || !LoadScriptFile(file, false)) LoadStartupScript();
  OfferRecoveryCopy();
}

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
        saved_text_.clear();
        platform_.SetLabel("");
      }
      platform_.SetBoxText(Box::kScript, *text);
      ScriptEdited();
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
    case kNew:
      New();
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
  const std::string box_text = platform_.BoxText(Box::kScript);
  const FileCalc calc = CalcSavedBox(session_, names_, box_text);
  if (!calc.ran()) {
    platform_.ShowError(calc.Problem(names_));
    return;
  }
  const CalcView& view = calc.view;
  ShowCalc(view.ShownText(), view.Diagnostics(box_text));
  if (const std::string problem = calc.Problem(names_); !problem.empty()) {
    platform_.ShowError(problem);
  }
  if (const std::string problem = calc.ListingProblem(names_); !problem.empty()) {
    platform_.ShowError(problem);
  }
  if (!view.has_errors()) return;
  platform_.ShowError(kCompilationErrors);
  const CaretPlace caret = *view.ErrorCaret(box_text);
  platform_.PlaceCaret(Box::kScript, caret.line, caret.index);
}

// The results box: the results or the listing, as the file holds them, and
// below them what the terminal would say of the run: each error and warning
// with its hint. Those lines are the box's alone, never the file's.
void WindowController::ShowCalc(const std::string& shown, std::vector<Diagnostic> diagnostics) {
  std::string text = shown;
  shown_diagnostics_.clear();
  if (!diagnostics.empty()) {
    if (!text.empty() && text.back() != '\n') text += '\n';
    text += '\n';
    int line = static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    for (Diagnostic& d : diagnostics) {
      text += d.Headline() + '\n';
      const int first = line++;
      if (!d.hint.empty()) {
        text += "  hint: " + d.hint + '\n';
        ++line;
      }
      shown_diagnostics_.push_back({first, line, d.caret});
    }
  }
  platform_.SetBoxText(Box::kResults, text);
}

void WindowController::ResultsLineActivated(int line) {
  for (const ShownDiagnostic& d : shown_diagnostics_) {
    if (line >= d.first_line && line < d.end_line) {
      platform_.PlaceCaret(Box::kScript, d.caret.line, d.caret.index);
      return;
    }
  }
}

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
    return;
  }
  if (!SettleUnsavedEdits()) return;
  LoadScriptFile(path, false);
}

void WindowController::Save() {
  SaveAs();
}

void WindowController::SaveCurrent() {
  SaveUnderCurrentName();
}

void WindowController::New() {
  if (!SettleUnsavedEdits()) return;
  script_path_.clear();
  names_ = {};
  saved_text_.clear();
  stamp_ = {};
  noted_.clear();
  agreed_lost_.clear();
  platform_.SetLabel("");
  platform_.SetBoxText(Box::kScript, "");
  ShowCalc("", {});
  UpdateTitle();
}

void WindowController::Remember(const std::string& path) {
  AddRecentFile(recent_, path);
  WriteRecentFiles(program_folder_, recent_);
  platform_.SetRecentFiles(recent_);
}

// The home folder is hidden: the dialogs start beside the current script.
std::string WindowController::ScriptFolder() const {
  return script_path_.empty() || names_.folder.empty() ? program_folder_ : names_.folder;
}

void WindowController::HandOff() {
  if (!HasPoint()) return;
  const HandOffPoint& point = session_.hand_off_point();
  std::error_code error;
  switch (SendPoint(platform_, point.lat, point.lon, hand_off_folder_, &error)) {
    case SendResult::kNotRunning:
      platform_.ShowError("OziExplore not running");
      break;
    case SendResult::kCannotWrite:
      // Orbelin's own words, then which file and why.
      platform_.ShowError("Can not write file!\n" + ExchangeFilePath(hand_off_folder_) + ": " +
                          error.message() + ".");
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

// Every way out of the window refuses a point that is not on the Earth.
bool WindowController::HasPoint() {
  const std::string refusal = PointRefusal(session_.hand_off_point());
  if (refusal.empty()) return true;
  platform_.ShowError(refusal);
  return false;
}

void WindowController::ExportGpx() {
  if (!HasPoint()) return;
  const std::string stem = names_.name.empty() ? kProgramName : Stem(names_.name);
  FileDialogRequest request;
  request.open = false;
  request.title = "Export as GPX";
  request.filter = "GPX (*.gpx)";
  request.start_folder = ScriptFolder();
  request.file_name = stem + ".gpx";
  std::optional<std::string> chosen = platform_.ChooseFile(request);
  if (!chosen) return;
  std::string path = *chosen;
  if (Stem(path) == FileName(path)) path += ".gpx";
  // Not over the script, and not through a link.
  OutputPlan plan;
  plan.Reads(script_path_);
  plan.Writes(path, OutputKind::kGpx);
  if (const std::vector<std::string> refusals = plan.Refusals(); !refusals.empty()) {
    platform_.ShowError(OneParagraph(refusals) + " Nothing was written.");
    return;
  }
  if (IsRegularFile(path) && !ConfirmReplace(path)) return;
  const HandOffPoint& point = session_.hand_off_point();
  if (std::error_code error =
          WriteOutputFile(path, GpxWaypoint(point.lat, point.lon, stem), /*sync=*/true)) {
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
  ForgetRecoveryCopy();
  ended_ = true;
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
        WriteEndedNote(program_folder_, said);
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
  platform_.ShowNote(LostCharactersNote(fresh));
}

WindowController::SaveOutcome WindowController::WriteScript(const std::string& path,
                                                            std::error_code* error,
                                                            bool replacing_agreed) {
  const std::string text = platform_.BoxText(Box::kScript);
  const std::u32string lost = NotIn(CharactersLostOnSave(text), agreed_lost_);
  if (!lost.empty()) {
    if (platform_.Ask(LostCharactersQuestion(lost)) != Answer::kYes) return SaveOutcome::kDeclined;
    agreed_lost_ += lost;
  }
  if (std::optional<std::string> current = ReadWholeFile(path)) {
    // A file that holds the text already is left as it is: its encoding,
    // its line ends and the bytes after its NUL.
    if (FileHoldsBoxText(*current, text)) {
      saved_text_ = text;
      stamp_ = StampOf(script_path_);
      UpdateTitle();
      return SaveOutcome::kSaved;
    }
    if (ChangedOnDisk(path)) {
      switch (platform_.Ask(ChangedOnDiskQuestion(FileName(path)))) {
        case Answer::kYes:
          break;
        case Answer::kNo:
          // The file's text wins: the box takes it, and what needed the
          // save goes on with it.
          return LoadScriptFile(script_path_, false) ? SaveOutcome::kSaved : SaveOutcome::kDeclined;
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
  const std::string bytes = ScriptFileFromBoxText(text);
  if (std::error_code failed = ReplaceFile(path, bytes)) {
    if (error != nullptr) *error = failed;
    return SaveOutcome::kFailed;
  }
  saved_text_ = text;
  if (SameFile(path, script_path_)) stamp_ = StampOf(script_path_);
  UpdateTitle();
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
  const SaveOutcome outcome = WriteScript(names.script, &error, other_file);
  if (outcome == SaveOutcome::kFailed) platform_.ShowError(CouldNot("save", names.script, error));
  if (outcome != SaveOutcome::kSaved) return outcome;

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
  const SaveOutcome outcome = WriteScript(script_path_, &error);
  if (outcome == SaveOutcome::kFailed) platform_.ShowError(CouldNot("save", script_path_, error));
  return outcome;
}

bool WindowController::ConfirmReplace(const std::string& path) {
  return platform_.Ask(ReplaceQuestion(path)) == Answer::kYes;
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
  return FileHoldsBoxText(*current, text) || FindNulTail(*current).bytes == 0;
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

void WindowController::UpdateTitle() {
  const std::string name = script_path_.empty() ? "" : names_.name;
  platform_.SetTitle((Modified() ? "*" : "") +
                     (name.empty() ? std::string(kProgramName) : name + " - " + kProgramName));
}

void WindowController::BuildFileNames() {
  names_ = orbelin::BuildFileNames(script_path_);
  script_path_ = names_.script;
}

// The results box takes the results file; without one it is emptied, as
// another script's results under this one would be read as its own.
void WindowController::ShowResults() {
  BuildFileNames();
  const std::optional<std::string> bytes = ReadWholeFile(names_.results);
  ShowCalc(bytes ? BoxTextFromFile(*bytes) : "", {});
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
  stamp_ = StampOf(script_path_);
  if (!quiet) Remember(script_path_);
  ShowResults();
  UpdateTitle();
  NoteLostCharacters(saved_text_);
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
