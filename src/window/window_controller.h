// The main window's commands and the files behind them, apart from any
// toolkit: start-up, Calc, Save, Load, the hand-off, Done and the close
// request, and the point's other ways out (GPX, a map link, the clipboard).
// Calc saves the script box, runs the script file in the window's session
// and shows the results, or the listing with the caret at the last error.
//
// Nothing typed is lost without a word: a save that fails says why and
// stops what needed it, and whatever would drop the box's text or bytes of
// a file (Load over edits, Done without a file, saving over text after a
// NUL byte, characters Windows-1252 lacks, replacing another file, a file
// another program changed since it was loaded) asks first.
//
// Its parts, each in a file of its own: the start, the commands and the
// point's ways out (window_controller.cpp), Calc (controller_calc.cpp),
// loading (controller_load.cpp), saving and its questions
// (controller_save.cpp), the end (controller_end.cpp) and the copy of
// unsaved text (controller_recovery.cpp).
#pragma once

#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "frontend/diagnostic.h"
#include "frontend/file_io.h"
#include "frontend/lost_characters.h"
#include "frontend/script_names.h"
#include "interp/session.h"
#include "window/platform.h"
#include "window/recovery_copy.h"
#include "window/tried_fields.h"

namespace orbelin {

class WindowController {
 public:
  // Command ids of the buttons, the File menu and the keyboard.
  enum Command {
    kDone = 1,
    kLoadButton = 4002,
    kSaveButton = 4003,
    kCalcButton = 4004,
    kHandOffButton = 4007,
    kSaveMenu = 6003,
    kLoadMenu = 6004,
    kCalcMenu = 6008,
    kSaveCurrent = 6009,  // Ctrl+S: under the current name, else as Save
    kNew = 6010,          // an empty script box without a file
    kExportGpx = 6101,
    kOpenInMap = 6102,
    kCopyCoordinates = 6103,
    kHandOffInfo = 6104,  // the File menu's note on the hand-off file
  };

  // `program_folder` ends with '/': the settings files and the file dialogs'
  // start folder are there, and the hand-off file when Orbelin.ini names no
  // folder.
  WindowController(Platform& platform, Session& session, std::string program_folder);

  // Reads the settings and the definition file and loads the script that the
  // definition names, with its results; or `file`, a script named on the
  // command line, when it can be read.
  void Start(const std::string& file = "");

  void HandleCommand(int id);
  void Calc();
  void Load();
  // Save under a name the user chooses (button S, File > Save).
  void Save();
  void SaveCurrent();
  // An empty box without a file, once the edits are settled.
  void New();
  void HandOff();
  void ExportGpx();
  void OpenInMap();
  void CopyCoordinates();
  void HandOffInfo();
  // Saves the script box (asking what to do where it cannot), then the
  // definition, then ends the window; the title bar's close button too.
  void Done();
  // The system ends the program (SIGTERM, SIGHUP): as Done, but nobody can
  // be asked, so a text that cannot go to its file unharmed goes to a new
  // file in the program folder, which the next start opens.
  void EndRequest();
  // Called every few seconds: unsaved text is copied into the home folder,
  // where the next start finds it when this one never ends properly. Each
  // window has a copy of its own.
  void Autosave();
  // Opens a script named on the command line or by a second start.
  void Open(const std::string& path);
  // The window says the script box's text has changed: `inserted` is the
  // text typed or pasted (all of it after a load).
  void ScriptEdited(const std::string& inserted);
  // The user clicked line `line` (from 0) of the results box: on an error
  // or a warning listed under the results, the caret goes to its place.
  void ResultsLineActivated(int line);
  void FocusChanged(Box box, bool gained);

  const std::string& script_path() const { return script_path_; }

  // The Try values dialog's fields for the text in the box, as they were
  // when the dialog last closed on it; KeepTriedFields takes them then.
  VaryForm TriedFieldsForScript() const { return tried_.Find(TriedKey()); }
  void KeepTriedFields(const VaryForm& fields);
  const std::string& hand_off_folder() const { return hand_off_folder_; }

 private:
  enum class SaveOutcome { kSaved, kDeclined, kFailed };

  // Scripts first in the file dialogs; any other name may be typed or
  // chosen too.
  static constexpr const char* kScriptFilter = "All (*.INP);;All files (*)";

  // The script box's text, read once, and the bytes its file gets: what a
  // save writes and a Calc runs.
  struct Script {
    std::string text;
    std::string bytes;
    std::vector<LostCharacter> lost;  // what became '?' in `bytes`, for the hints
  };
  Script TakeScript();
  // Saves `script` to `path`, asking first where that would lose anything.
  // When the user takes the file's text instead (it changed on disk),
  // `script` becomes that text; after characters were saved as '?', the
  // box shows what was saved and `script` is that.
  SaveOutcome WriteScript(const std::string& path, Script& script, std::error_code* error,
                          bool replacing_agreed = false);
  SaveOutcome SaveAs();
  SaveOutcome SaveUnderCurrentName();
  bool SettleUnsavedEdits(const std::string& opening = "");
  bool SaveBeforeEnding();
  // The box holds changes that are not in its file. Without a file, an
  // empty box has nothing to lose.
  bool Modified() {
    return platform_.ScriptModified() &&
           (!script_path_.empty() || !platform_.BoxText(Box::kScript).empty());
  }
  void UpdateTitle();
  void BuildFileNames();
  void ShowResults();
  void ShowCalc(const std::string& shown, std::vector<Diagnostic> diagnostics);
  bool LoadScriptFile(const std::string& path, bool quiet);
  void LoadStartupScript();
  void NoteLostCharacters(const std::string& text);
  bool SavesUnharmed(const std::string& path, const std::string& text);
  std::string KeepInNewFile(const std::string& text, const std::string& stem);
  void OfferRecoveryCopies();
  void OfferRecoveryCopy(RecoveryCopy& orphan);
  void ForgetRecoveryCopy();
  void Remember(const std::string& path);
  // Where the file dialogs for scripts start: the current script's folder.
  std::string ScriptFolder() const;
  bool ConfirmReplace(const std::string& path);
  bool HasPoint();
  bool ChangedOnDisk(const std::string& path);
  // The script's path, or a name of the unsaved text in the box.
  std::string TriedKey() const;

  Platform& platform_;
  Session& session_;
  const std::string program_folder_;
  std::string script_path_;
  std::string hand_off_folder_;
  bool hand_off_folder_default_ = false;  // Orbelin.ini names none
  ScriptFileNames names_;
  // The diagnostics listed in the results box: their lines there, and where
  // each takes the caret.
  struct ShownDiagnostic {
    int first_line;
    int end_line;
    CaretPlace caret;
  };
  std::vector<ShownDiagnostic> shown_diagnostics_;
  // The script file as the box last read or wrote it: another program's
  // change since then is not overwritten without asking.
  FileStamp stamp_;
  // Characters without a Windows-1252 byte: those the user has been told
  // of while typing, and those the user agreed to save as '?'.
  std::u32string noted_, agreed_lost_;
  bool ended_ = false;
  // This window's copy of unsaved text, and the text last copied into it
  // while the copy is on disk.
  RecoveryCopy recovery_;
  std::optional<std::string> autosaved_;
  std::vector<std::string> recent_;
  TriedFields tried_;
  // Counts the unsaved texts the box has held (New starts another), so that
  // each keeps its own Try values fields.
  unsigned unsaved_count_ = 0;
};

}  // namespace orbelin
