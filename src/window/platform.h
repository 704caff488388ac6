// What the shell needs from the window system, and nothing more.
//
// The commands, files, settings and the hand-off are written against this
// interface so that they run, and are tested, without a window toolkit. Box
// and label texts are UTF-8 with "\n" line ends.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "frontend/save_rules.h"

namespace orbelin {

enum class Box { kScript, kResults };

// A top-level window of the window system; 0 is none.
using WindowId = std::uint64_t;

struct FileDialogRequest {
  bool open = true;  // the Open dialog (file must exist), else the Save dialog
  std::string title;
  std::string filter;  // description and pattern, e.g. "All (*.INP)"
  std::string start_folder;
  std::string file_name;  // what the name field holds at first
};

class Platform {
 public:
  virtual ~Platform() = default;

  virtual std::string BoxText(Box box) = 0;
  // The box takes the text; the script box then holds no unsaved change
  // and nothing to undo.
  virtual void SetBoxText(Box box, const std::string& text) = 0;
  // The script box's text becomes `text` as one edit that the user can
  // undo; the caret keeps its place as far as the text allows.
  virtual void EditScriptText(const std::string& text) = 0;
  // Whether the script box holds changes that are not in its file; the
  // box sets it as the user types (and clears it when an undo goes back to
  // the saved text), the window when it loads or saves.
  virtual bool ScriptModified() = 0;
  virtual void SetScriptModified(bool modified) = 0;
  virtual void SetLabel(const std::string& text) = 0;

  // The window's title: "walk.inp - Orbelin". The window marks it while the
  // script box is modified ("*walk.inp - Orbelin").
  virtual void SetTitle(const std::string& text) = 0;

  // Message boxes owned by the main window, with an OK button: caption
  // "Error" and the stop icon; caption "Warning" and the warning icon;
  // caption "Orbelin" and the information icon.
  virtual void ShowError(const std::string& text) = 0;
  virtual void ShowWarning(const std::string& text) = 0;
  virtual void ShowInformation(const std::string& text) = 0;
  // A message box owned by the main window, caption "Orbelin".
  virtual Answer Ask(const Question& question) = 0;
  // A short note beside the text being typed, which needs no answer and
  // does not take the focus.
  virtual void ShowNote(const std::string& text) = 0;
  // A line for the system's log, for what happens while nobody can be
  // asked (the program being ended by the system).
  virtual void Report(const std::string& text) = 0;

  // The chosen path, or nothing when the user cancelled. Saving never asks
  // before overwriting (the shell asks) and adds no extension.
  virtual std::optional<std::string> ChooseFile(const FileDialogRequest& request) = 0;

  // The File menu's recent scripts, newest first; choosing one opens it
  // (WindowController::Open).
  virtual void SetRecentFiles(const std::vector<std::string>& paths) = 0;

  // Where the hand-off file goes, shown in the File menu.
  virtual void SetHandOffNote(const std::string& text) = 0;
  virtual void SetClipboard(const std::string& text) = 0;
  // Gives a link (a geo: link) to the desktop's program for it; false when
  // no program took it.
  virtual bool OpenLink(const std::string& uri) = 0;

  virtual WindowId MainWindowId() = 0;
  virtual WindowId FindWindowByClass(const std::string& class_name) = 0;
  virtual void SendWindowMessage(WindowId window, long message, WindowId param, long param2) = 0;
  virtual void BringToFront(WindowId window) = 0;

  // Puts the caret before the character at a 0-based line and index in that
  // line, scrolls the line to the top and focuses the box.
  virtual void PlaceCaret(Box box, int line, int index) = 0;

  // The on-screen keyboard, where there is one.
  virtual void SetInputPanel(bool raised) = 0;

  // Ends the window and with it the program.
  virtual void EndWindow() = 0;
};

}  // namespace orbelin
