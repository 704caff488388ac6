// The main window on Qt Widgets: the Platform that WindowController works
// through. It lays out the controls, forwards buttons, menu, focus and the
// close button to the controller, and does nothing on its own beyond that.
#pragma once

#include <QList>
#include <QMainWindow>
#include <functional>
#include <map>
#include <optional>

#include "window/platform.h"

class QAction;
class QDragEnterEvent;
class QDropEvent;
class QMimeData;
class QKeyEvent;
class QKeySequence;
class QLabel;
class QMessageBox;
class QMenu;
class QPlainTextEdit;
class QPushButton;

namespace orbelin {

class HandbookWindow;
class WindowController;

class MainWindow : public QMainWindow, public Platform {
  Q_OBJECT

 public:
  static constexpr const char* kWindowClass = "OrbelinClass";

  explicit MainWindow(QWidget* parent = nullptr);
  ~MainWindow() override;

  void SetController(WindowController* controller) { controller_ = controller; }
  // Done or the end request has ended the window.
  bool ended() const { return ending_; }

  // Creates the native window and gives it the class by which a second start
  // finds it; call before the window is first shown.
  void SetUpNativeWindow();

  // The client area that the layout fills (below the menu bar).
  QWidget* client() const { return client_; }
  QLabel* label() const { return label_; }
  QPlainTextEdit* box(Box box) const { return box == Box::kScript ? script_ : results_; }
  // "B", "L", "S", "O" or "C".
  QPushButton* button(char name) const;
  // The menu item or key of a command id, or nullptr.
  QAction* command(int id) const;
  // The line:column of the script box's caret, beside the menus.
  QLabel* position() const { return position_; }
  // Help > Handbook, once it has been opened.
  HandbookWindow* handbook() const { return handbook_; }

  // Platform
  std::string BoxText(Box box) override;
  void SetBoxText(Box box, const std::string& text) override;
  void EditScriptText(const std::string& text) override;
  bool ScriptModified() override;
  void SetScriptModified(bool modified) override;
  void SetLabel(const std::string& text) override;
  void SetTitle(const std::string& text) override;
  void ShowError(const std::string& text) override;
  void ShowWarning(const std::string& text) override;
  void ShowInformation(const std::string& text) override;
  Answer Ask(const Question& question) override;
  void ShowNote(const std::string& text) override;
  void Report(const std::string& text) override;
  std::optional<std::string> ChooseFile(const FileDialogRequest& request) override;
  void SetRecentFiles(const std::vector<std::string>& paths) override;
  void SetHandOffNote(const std::string& text) override;
  void SetClipboard(const std::string& text) override;
  bool OpenLink(const std::string& uri) override;
  WindowId MainWindowId() override;
  WindowId FindWindowByClass(const std::string& class_name) override;
  void SendWindowMessage(WindowId window, long message, WindowId param, long param2) override;
  void BringToFront(WindowId window) override;
  void PlaceCaret(Box box, int line, int index) override;
  void SetInputPanel(bool raised) override;
  void EndWindow() override;

 signals:
  // The window has ended (Done or the close request): the program ends.
  void Ended();

 protected:
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void ApplyLayout();
  double Scale() const;
  QSize DefaultSize() const;
  void Command(int id);
  // File > Try values…
  void TryValues();
  QAction* AddCommand(QMenu* menu, const char* text, int id, const QList<QKeySequence>& keys = {});
  // A menu item (or, without a menu, a key) that calls `slot`.
  QAction* AddAction(QMenu* menu, const char* text, const QList<QKeySequence>& keys,
                     std::function<void()> slot);
  void CreateFileMenu();
  void CreateEditMenu();
  void CreateHelpMenu();
  // `keys_of`: the command whose keys the tooltip names, or 0.
  QPushButton* AddButton(char letter, int id, const char* name, const char* tip, int keys_of);
  bool TabKey(QPlainTextEdit* box, QKeyEvent* key);
  // Shift+Tab: the selected lines, or the caret's, go back one tab stop.
  void Outdent();
  // The box that Edit's commands work on: the one with the focus, or the
  // one that had it last.
  QPlainTextEdit* EditedBox() const;
  void UpdatePosition();
  // A file dragged from a file manager: the path's bytes, or nothing.
  static std::optional<std::string> DroppedFile(const QMimeData* data);
  void Replace();
  void ShowHandbook();
  void About();
  bool IsCommandKey(const QKeyEvent* key) const;
  void ShowMessage(int icon, const char* caption, const std::string& text);
  void ShowPendingNote();
  // Find asks for a text, Find next looks for it again after the caret, in
  // the box that has the focus (the script box when neither has), from the
  // top once the end is reached.
  void Find();
  void FindNext();
  // The boxes' font grows or shrinks by `step` points; 0 takes the
  // desktop's size again. The layout keeps the window font's.
  void Zoom(int step);

  WindowController* controller_ = nullptr;
  bool ending_ = false;
  QWidget* client_ = nullptr;
  QLabel* label_ = nullptr;
  QPlainTextEdit* script_ = nullptr;
  QPlainTextEdit* results_ = nullptr;
  QPushButton* calc_ = nullptr;
  QPushButton* load_ = nullptr;
  QPushButton* save_ = nullptr;
  QPushButton* hand_off_ = nullptr;
  QPushButton* done_ = nullptr;
  QAction* hand_off_note_ = nullptr;
  QMenu* recent_menu_ = nullptr;
  QLabel* position_ = nullptr;
  QString pending_note_;
  QAction* undo_ = nullptr;
  QAction* redo_ = nullptr;
  // Edit's undo, cut, copy, paste...: a box with the focus takes these keys
  // itself.
  QList<QAction*> editing_;
  QPlainTextEdit* last_box_ = nullptr;
  HandbookWindow* handbook_ = nullptr;
  QString find_text_;
  int zoom_ = 0;                      // points added to the boxes' font
  std::map<int, QAction*> commands_;  // by command id
};

}  // namespace orbelin
