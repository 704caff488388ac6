// A Platform without a window: boxes, label and title are strings, dialogs
// and questions answer from queues, and every call that reaches the user or
// the outside is logged in order.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "window/platform.h"

namespace orbelin::testing {

class FakePlatform : public Platform {
 public:
  std::string script_box, results_box, label = "Text";
  // The title as the window sets it, without the mark of unsaved changes;
  // Title() shows it as the title bar does.
  std::string title_text = "Orbelin";
  std::vector<std::string> errors, warnings, informations, notes, reports;
  std::vector<FileDialogRequest> dialogs;
  std::deque<std::optional<std::string>> dialog_answers;  // empty: cancel
  std::vector<Question> questions;
  std::deque<Answer> answers;  // empty: Cancel
  WindowId main_window = 0x500001;
  WindowId map_window = 0;  // the window FindWindowByClass finds for "OziExplorer"
  std::string hand_off_note, clipboard;
  std::vector<std::string> recent;  // the File menu's recent scripts
  std::vector<std::string> links;
  bool links_open = true;        // whether OpenLink finds a program for geo: links
  bool web_open = true;          // ... and a web browser for https: links
  std::vector<std::string> log;  // messages, questions, raises, caret, panel, end
  bool ended = false;

  // As a text document keeps it: the script box is modified once its text
  // differs from the text it was loaded or saved with, or when told so.
  bool modified = false;
  std::string clean_text;
  std::vector<std::string> edits;  // the texts EditScriptText gave the box

  std::string Title() { return (ScriptModified() ? "*" : "") + title_text; }

  std::string BoxText(Box box) override { return box == Box::kScript ? script_box : results_box; }
  void SetBoxText(Box box, const std::string& text) override {
    if (box == Box::kResults) {
      results_box = text;
      return;
    }
    script_box = clean_text = text;
    modified = false;
  }
  void EditScriptText(const std::string& text) override {
    edits.push_back(text);
    script_box = text;
  }
  bool ScriptModified() override { return modified || script_box != clean_text; }
  void SetScriptModified(bool m) override {
    modified = m;
    clean_text = script_box;
  }
  void SetLabel(const std::string& text) override { label = text; }
  void SetTitle(const std::string& text) override { title_text = text; }
  void ShowError(const std::string& text) override {
    errors.push_back(text);
    log.push_back("error " + text);
  }
  void ShowWarning(const std::string& text) override {
    warnings.push_back(text);
    log.push_back("warning " + text);
  }
  void ShowInformation(const std::string& text) override {
    informations.push_back(text);
    log.push_back("information " + text);
  }
  Answer Ask(const Question& question) override {
    questions.push_back(question);
    log.push_back("ask " + question.text);
    if (answers.empty()) return Answer::kCancel;
    Answer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void ShowNote(const std::string& text) override {
    notes.push_back(text);
    log.push_back("note " + text);
  }
  void Report(const std::string& text) override { reports.push_back(text); }
  std::optional<std::string> ChooseFile(const FileDialogRequest& request) override {
    dialogs.push_back(request);
    log.push_back("dialog " + request.title);
    if (dialog_answers.empty()) return std::nullopt;
    std::optional<std::string> answer = dialog_answers.front();
    dialog_answers.pop_front();
    return answer;
  }
  void SetRecentFiles(const std::vector<std::string>& paths) override { recent = paths; }
  void SetHandOffNote(const std::string& text) override { hand_off_note = text; }
  void SetClipboard(const std::string& text) override { clipboard = text; }
  bool OpenLink(const std::string& uri) override {
    links.push_back(uri);
    return uri.rfind("https:", 0) == 0 ? web_open : links_open;
  }
  WindowId MainWindowId() override { return main_window; }
  WindowId FindWindowByClass(const std::string& class_name) override {
    log.push_back("find " + class_name);
    return class_name == "OziExplorer" ? map_window : 0;
  }
  void SendWindowMessage(WindowId window, long message, WindowId param, long param2) override {
    log.push_back("send " + std::to_string(window) + " " + std::to_string(message) + " " +
                  std::to_string(param) + " " + std::to_string(param2));
  }
  void BringToFront(WindowId window) override { log.push_back("front " + std::to_string(window)); }
  void PlaceCaret(Box box, int line, int index) override {
    log.push_back(std::string("caret ") + (box == Box::kScript ? "script " : "results ") +
                  std::to_string(line) + " " + std::to_string(index));
  }
  void SetInputPanel(bool raised) override { log.push_back(raised ? "panel up" : "panel down"); }
  void EndWindow() override {
    ended = true;
    log.push_back("end");
  }
};

}  // namespace orbelin::testing
