// The main window's commands and the files behind them, apart from any
// toolkit: start-up, Calc, Save, Load, the hand-off, Done and the close
// request. Calc saves the script box, runs the script file in the window's
// session and shows the results, or the listing with the caret at the last
// error.
#pragma once

#include <string>

#include "base/file_names.h"
#include "interp/session.h"
#include "shell/platform.h"

namespace orbelin {

class WindowController {
 public:
  // Command ids of the buttons and the File menu.
  enum Command {
    kDone = 1,
    kLoadButton = 4002,
    kSaveButton = 4003,
    kCalcButton = 4004,
    kHandOffButton = 4007,
    kSaveMenu = 6003,
    kLoadMenu = 6004,
    kCalcMenu = 6008,
  };

  // `program_folder` ends with '/': the settings files and the file dialogs'
  // start folder are there.
  WindowController(Platform& platform, Session& session, std::string program_folder);

  // Reads the settings and the definition file and loads the script that the
  // definition names, with its results.
  void Start();

  void HandleCommand(int id);
  void Calc();
  void Load() { ChooseScriptFile(true); }
  void Save() { ChooseScriptFile(false); }
  void HandOff();
  // Saves the definition and the script box, then ends the window.
  void Done();
  // How the system ends the program: saves the definition only.
  void CloseRequest();
  void FocusChanged(Box box, bool gained);

  const std::string& script_path() const { return script_path_; }
  const std::string& hand_off_folder() const { return hand_off_folder_; }

 private:
  void SaveScript();
  void BuildFileNames();
  void ShowResults();
  void PlaceCaret(int line, int column);
  bool LoadBoxFromFile(const std::string& path, Box box);
  bool SaveBoxToFile(const std::string& path, Box box);
  bool LoadScript();
  bool ChooseScriptFile(bool open);
  void LoadStartupScript();

  Platform& platform_;
  Session& session_;
  const std::string program_folder_;
  std::string script_path_;
  std::string hand_off_folder_;
  ScriptFileNames names_;
};

}  // namespace orbelin
