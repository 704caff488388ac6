// The main window's commands and the files behind them, apart from any
// toolkit: start-up, Calc, Save, Load, the hand-off, Done and the close
// request. It is also the host of a run, which saves the script box before
// reading it and shows the results or the listing afterwards.
#pragma once

#include <string>

#include "interp/session.h"
#include "shell/file_names.h"
#include "shell/platform.h"
#include "shell/script_runner.h"

namespace orbelin {

class WindowController : public RunHost {
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
  WindowController(Platform& platform, ScriptRunner& runner, std::string program_folder);

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

  // RunHost
  void SaveScript() override;
  DerivedNames BuildFileNames() override;
  void ClearResults() override;
  void ShowResults() override;
  void ShowListing() override;
  void PlaceCaret(int line, int column) override;
  void ShowError(const std::string& text) override;

  const std::string& script_path() const { return script_path_; }
  const std::string& hand_off_folder() const { return hand_off_folder_; }

 private:
  bool LoadBoxFromFile(const std::string& path, Box box);
  bool SaveBoxToFile(const std::string& path, Box box);
  bool LoadScript();
  bool ChooseScriptFile(bool open);
  void LoadStartupScript();

  Platform& platform_;
  ScriptRunner& runner_;
  const std::string program_folder_;
  std::string script_path_;
  std::string hand_off_folder_;
  ScriptFileNames names_;
};

}  // namespace orbelin
