#include "window/qt/main_window.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QToolTip>
#include <QUrl>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "frontend/caret.h"
#include "frontend/pasted_text.h"
#include "window/layout.h"
#include "window/qt/handbook_window.h"
#include "window/qt/message_box.h"
#include "window/qt/path_bytes.h"
#include "window/qt/replace_dialog.h"
#include "window/qt/vary_dialog.h"
#include "window/qt/x11_windows.h"
#include "window/tab_key.h"
#include "window/window_controller.h"

namespace orbelin {

namespace {

const QColor kLabelBackground(210, 210, 255);
// How long Open in map waits for the desktop's opener to start, then to
// finish.
constexpr int kOpenerWaitMs = 3000;

// The desktop's fixed-pitch font at the desktop's size: the listing's
// carets stand under their tokens, and blanks line up at the tab stops.
QFont BoxFont() {
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setStyleHint(QFont::Monospace);
  font.setFixedPitch(true);
  const QFont desktop = QApplication::font();
  if (desktop.pointSizeF() > 0) {
    font.setPointSizeF(desktop.pointSizeF());
  } else if (desktop.pixelSize() > 0) {
    font.setPixelSize(desktop.pixelSize());
  }
  return font;
}

// Pasted text as typed text: composed characters (e + U+0301 would be
// saved as "e?", although Windows-1252 has é), the Tab key's blanks for
// tabs, which would end the script, and a web page's coordinates as the
// language writes them (PastedText).
class ScriptEdit : public QPlainTextEdit {
 public:
  using QPlainTextEdit::QPlainTextEdit;

 protected:
  void insertFromMimeData(const QMimeData* source) override {
    if (!source->hasText()) return QPlainTextEdit::insertFromMimeData(source);
    const QTextCursor cursor = textCursor();
    const QTextBlock block = document()->findBlock(cursor.selectionStart());
    const QString before = block.text().left(cursor.selectionStart() - block.position());
    const QString text = source->text().normalized(QString::NormalizationForm_C);
    insertPlainText(
        QString::fromStdString(ExpandTabs(PastedText(text.toStdString()), before.toStdString())));
    ensureCursorVisible();
  }
};

// Long lines scroll sideways in both boxes, results included.
QPlainTextEdit* MakeBox(QWidget* parent, bool script) {
  QPlainTextEdit* box = script ? new ScriptEdit(parent) : new QPlainTextEdit(parent);
  box->setLineWrapMode(QPlainTextEdit::NoWrap);
  box->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  box->setFont(BoxFont());
  return box;
}

void Place(QWidget* widget, const Rect& r) {
  widget->setGeometry(r.x, r.y, std::max(0, r.width), std::max(0, r.height));
}

// No key may belong to two actions: Qt then runs neither ("ambiguous
// shortcut"). A key that a standard key list already holds is given once.
QList<QKeySequence> Unique(const QList<QKeySequence>& keys) {
  QList<QKeySequence> unique;
  for (const QKeySequence& key : keys) {
    if (!key.isEmpty() && !unique.contains(key)) unique << key;
  }
  return unique;
}

QList<QKeySequence> Keys(QKeySequence::StandardKey standard, const QList<QKeySequence>& also = {}) {
  return Unique(QKeySequence::keyBindings(standard) + also);
}

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle(QStringLiteral("[*]Orbelin"));
  CreateFileMenu();
  CreateEditMenu();
  CreateHelpMenu();
  // Ctrl+plus (also Ctrl+= on keyboards where plus needs Shift), Ctrl+minus,
  // Ctrl+0: the boxes' text size.
  const std::pair<QList<QKeySequence>, int> zooms[] = {
      {Keys(QKeySequence::ZoomIn, {QKeySequence(Qt::CTRL | Qt::Key_Equal)}), 1},
      {Keys(QKeySequence::ZoomOut), -1},
      {{QKeySequence(Qt::CTRL | Qt::Key_0)}, 0}};
  for (const auto& [keys, step] : zooms) {
    AddAction(nullptr, "", keys, [this, step = step] { Zoom(step); });
  }
  // Where the caret is, as the diagnostics say it: line:column.
  position_ = new QLabel(menuBar());
  position_->setTextFormat(Qt::PlainText);
  position_->setContentsMargins(0, 0, 6, 0);
  position_->setAccessibleName(QStringLiteral("Line and column"));
  position_->setAccessibleDescription(
      QStringLiteral("Where the caret stands in the script, as errors are placed: line:column"));
  menuBar()->setCornerWidget(position_, Qt::TopRightCorner);
  menuBar()->setAccessibleName(QStringLiteral("Menus"));
  setAcceptDrops(true);

  client_ = new QWidget(this);
  setCentralWidget(client_);
  client_->installEventFilter(this);

  label_ = new QLabel(client_);
  label_->setTextFormat(Qt::PlainText);
  label_->setAutoFillBackground(true);
  QPalette palette = label_->palette();
  palette.setColor(QPalette::Window, kLabelBackground);
  palette.setColor(QPalette::WindowText, Qt::black);
  label_->setPalette(palette);

  // The one-letter buttons Orbelin has always had, each with the name a screen
  // reader says and Alt and its letter to press it.
  calc_ =
      AddButton('B', WindowController::kCalcButton, "Calc", "Calc", WindowController::kCalcMenu);
  load_ =
      AddButton('L', WindowController::kLoadButton, "Load", "Load", WindowController::kLoadMenu);
  save_ = AddButton('S', WindowController::kSaveButton, "Save As", "Save under a new name",
                    WindowController::kSaveMenu);
  hand_off_ = AddButton('O', WindowController::kHandOffButton, "Hand off",
                        "Hand the point to the map program", 0);
  done_ =
      AddButton('C', WindowController::kDone, "Close", "Save and close", WindowController::kDone);

  script_ = MakeBox(client_, true);
  results_ = MakeBox(client_, false);
  script_->setAccessibleName(QStringLiteral("Script"));
  script_->setAccessibleDescription(
      QStringLiteral("The script; Calc saves it in its file and runs it"));
  results_->setAccessibleName(QStringLiteral("Results"));
  results_->setAccessibleDescription(
      QStringLiteral("The results of the last Calc, or its listing with each error and its hint"));
  label_->setAccessibleDescription(QStringLiteral("The script file's name"));
  for (QPlainTextEdit* box : {script_, results_}) box->viewport()->installEventFilter(this);
  connect(script_, &QPlainTextEdit::cursorPositionChanged, this, &MainWindow::UpdatePosition);
  connect(script_, &QPlainTextEdit::undoAvailable, undo_, &QAction::setEnabled);
  connect(script_, &QPlainTextEdit::redoAvailable, redo_, &QAction::setEnabled);
  undo_->setEnabled(false);
  redo_->setEnabled(false);
  // The results are the run's: the next Calc would replace anything typed
  // there. Selecting, copying and the caret (Return on a diagnostic) stay.
  results_->setReadOnly(true);
  results_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  // The boxes' keys, and on their viewports a click on an error or a
  // warning listed under the results (the caret goes to its place in the
  // script) and a file dropped on either box (it opens).
  script_->installEventFilter(this);
  results_->installEventFilter(this);
  // The document knows whether it holds unsaved changes (an undo back to
  // the saved text clears it); the title's [*] shows it.
  connect(script_->document(), &QTextDocument::modificationChanged, this,
          &QWidget::setWindowModified);
  // What was typed or pasted, for the note on characters a script file
  // cannot hold: only the new text is looked at, never the whole box.
  connect(script_->document(), &QTextDocument::contentsChange, this,
          [this](int position, int, int added) {
            if (controller_ == nullptr || added <= 0) return;
            QTextCursor cursor(script_->document());
            cursor.setPosition(position);
            cursor.setPosition(
                std::min(position + added, script_->document()->characterCount() - 1),
                QTextCursor::KeepAnchor);
            QString text = cursor.selectedText();
            text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
            controller_->ScriptEdited(text.toStdString());
          });
  setTabOrder(script_, results_);
  // Typing goes into the script box from the start.
  script_->setFocus();
  last_box_ = script_;
  UpdatePosition();

  resize(DefaultSize());
}

MainWindow::~MainWindow() = default;

QAction* MainWindow::AddAction(QMenu* menu, const char* text, const QList<QKeySequence>& keys,
                               std::function<void()> slot) {
  auto* action = new QAction(QString::fromUtf8(text), this);
  action->setShortcuts(Unique(keys));
  connect(action, &QAction::triggered, this, std::move(slot));
  if (menu != nullptr) {
    menu->addAction(action);
  } else {
    addAction(action);
  }
  return action;
}

QAction* MainWindow::AddCommand(QMenu* menu, const char* text, int id,
                                const QList<QKeySequence>& keys) {
  QAction* action = AddAction(menu, text, keys, [this, id] { Command(id); });
  commands_[id] = action;
  return action;
}

// Every item has a letter to press with Alt (the File menu's Calc, Save and
// Load keep the plain words Orbelin has always shown).
void MainWindow::CreateFileMenu() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  AddCommand(file, "&Calc", WindowController::kCalcMenu,
             {QKeySequence(Qt::Key_F5), QKeySequence(Qt::CTRL | Qt::Key_Return),
              QKeySequence(Qt::CTRL | Qt::Key_Enter)});
  // Save saves under the current name (a new script asks for one), Save As
  // always asks: named for what they do, as in any editor.
  AddCommand(file, "&Save", WindowController::kSaveCurrent, Keys(QKeySequence::Save));
  AddCommand(file, "Save &As…", WindowController::kSaveMenu,
             {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)});
  AddCommand(file, "&Load", WindowController::kLoadMenu, Keys(QKeySequence::Open));
  AddCommand(file, "&New", WindowController::kNew, Keys(QKeySequence::New));
  recent_menu_ = file->addMenu(QStringLiteral("&Recent"));
  recent_menu_->setEnabled(false);
  file->addSeparator();
  AddCommand(file, "&Export as GPX…", WindowController::kExportGpx);
  AddCommand(file, "Open in &map", WindowController::kOpenInMap);
  AddCommand(file, "Copy c&oordinates", WindowController::kCopyCoordinates);
  file->addSeparator();
  // Not a command of the window's logic: the dialog runs the core's value
  // search on the box's text and keeps nothing.
  AddAction(file, "Try &values…", {}, [this] { TryValues(); });
  file->addSeparator();
  hand_off_note_ = AddCommand(file, "&Hand-off file", WindowController::kHandOffInfo);
  file->addSeparator();
  // Quit is C: the script is saved, and what cannot be is asked about.
  AddCommand(file, "&Quit", WindowController::kDone,
             Keys(QKeySequence::Quit, {QKeySequence(Qt::CTRL | Qt::Key_Q)}));
}

// The box with the focus (or the one that had it last) does the work; the
// boxes take their own keys, so these items serve the menu and a key
// pressed while a button has the focus.
void MainWindow::CreateEditMenu() {
  QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
  QAction* undo = AddAction(edit, "&Undo", Keys(QKeySequence::Undo), [this] { script_->undo(); });
  QAction* redo = AddAction(
      edit, "&Redo",
      Keys(QKeySequence::Redo,
           {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)}),
      [this] { script_->redo(); });
  edit->addSeparator();
  QAction* cut = AddAction(edit, "Cu&t", Keys(QKeySequence::Cut), [this] {
    if (!EditedBox()->isReadOnly()) EditedBox()->cut();
  });
  QAction* copy =
      AddAction(edit, "&Copy", Keys(QKeySequence::Copy), [this] { EditedBox()->copy(); });
  QAction* paste = AddAction(edit, "&Paste", Keys(QKeySequence::Paste), [this] {
    if (!EditedBox()->isReadOnly()) EditedBox()->paste();
  });
  QAction* select_all = AddAction(edit, "Select &all", Keys(QKeySequence::SelectAll),
                                  [this] { EditedBox()->selectAll(); });
  editing_ = {undo, redo, cut, copy, paste, select_all};
  edit->addSeparator();
  AddAction(edit, "&Find…", Keys(QKeySequence::Find), [this] { Find(); });
  AddAction(edit, "Find ne&xt", Keys(QKeySequence::FindNext, {QKeySequence(Qt::Key_F3)}),
            [this] { FindNext(); });
  AddAction(edit, "R&eplace…", Keys(QKeySequence::Replace, {QKeySequence(Qt::CTRL | Qt::Key_H)}),
            [this] { Replace(); });
  undo_ = undo;
  redo_ = redo;
}

void MainWindow::CreateHelpMenu() {
  QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
  AddAction(help, "&Handbook", Keys(QKeySequence::HelpContents, {QKeySequence(Qt::Key_F1)}),
            [this] { ShowHandbook(); });
  AddAction(help, "&About Orbelin", {}, [this] { About(); });
}

QPushButton* MainWindow::AddButton(char letter, int id, const char* name, const char* tip,
                                   int keys_of) {
  // "&B": Alt+B presses it; the button still shows its one letter.
  auto* button = new QPushButton(QStringLiteral("&") + QLatin1Char(letter), client_);
  // The one-letter buttons say what they do, and which key does it too.
  QString tool_tip = QString::fromUtf8(tip);
  if (const QAction* same = command(keys_of); same != nullptr && !same->shortcut().isEmpty()) {
    tool_tip += QStringLiteral(" (") + same->shortcut().toString(QKeySequence::NativeText) +
                QLatin1Char(')');
  }
  button->setToolTip(tool_tip);
  // A screen reader says the name, not the letter.
  button->setAccessibleName(QString::fromUtf8(name));
  button->setAccessibleDescription(tool_tip);
  // The 18-pixel buttons leave no room for the style's padding.
  button->setStyleSheet(QStringLiteral("QPushButton { padding: 0px; }"));
  connect(button, &QPushButton::clicked, this, [this, id] { Command(id); });
  return button;
}

QPushButton* MainWindow::button(char name) const {
  switch (name) {
    case 'B':
      return calc_;
    case 'L':
      return load_;
    case 'S':
      return save_;
    case 'O':
      return hand_off_;
    case 'C':
      return done_;
    default:
      return nullptr;
  }
}

QAction* MainWindow::command(int id) const {
  const auto it = commands_.find(id);
  return it == commands_.end() ? nullptr : it->second;
}

void MainWindow::SetUpNativeWindow() {
  const WindowId id = winId();
  if (QGuiApplication::platformName() == QLatin1String("xcb")) {
    SetX11WindowClass(id, QCoreApplication::applicationName().toStdString(), kWindowClass);
  }
}

void MainWindow::TryValues() {
  const std::string name = controller_ != nullptr ? controller_->script_path() : std::string();
  const VaryForm remembered =
      controller_ != nullptr ? controller_->TriedFieldsForScript() : VaryForm();
  VaryDialog dialog(*this, BoxText(Box::kScript), name, remembered, this);
  dialog.exec();
  // The window may be ending (the dialog then closed with it): the fields
  // are kept all the same.
  if (controller_ != nullptr) controller_->KeepTriedFields(dialog.Fields());
}

void MainWindow::Command(int id) {
  if (controller_ != nullptr) controller_->HandleCommand(id);
}

bool MainWindow::IsCommandKey(const QKeyEvent* key) const {
  const QKeySequence pressed(key->keyCombination());
  // Every key of the window: its commands, Find, zoom and help; the
  // editing keys stay the box's.
  for (QAction* action : findChildren<QAction*>()) {
    if (action->shortcuts().contains(pressed) && !editing_.contains(action)) return true;
  }
  return false;
}

double MainWindow::Scale() const {
  return LayoutScale(QFontMetricsF(font()).height());
}

// A portrait window that leaves room for the window manager's frame even on
// the smallest screens (800 by 600), and grows with the desktop's font.
QSize MainWindow::DefaultSize() const {
  QSize size(qRound(480 * Scale()), qRound(560 * Scale()));
  if (const QScreen* s = screen()) {
    const QRect available = s->availableGeometry();
    size = size.boundedTo(QSize(available.width() * 9 / 10, available.height() * 17 / 20));
  }
  return size;
}

void MainWindow::ApplyLayout() {
  const WindowLayout l = ComputeLayout(client_->width(), client_->height(), Scale());
  Place(label_, l.label);
  Place(calc_, l.calc);
  Place(load_, l.load);
  Place(save_, l.save);
  Place(hand_off_, l.hand_off);
  Place(done_, l.done);
  Place(script_, l.script);
  Place(results_, l.results);
}

// Tab types blanks to the next tab stop in the script box (a tab character
// would end the script); Ctrl+Tab leaves either box, as it leaves any editor.
bool MainWindow::TabKey(QPlainTextEdit* box, QKeyEvent* key) {
  if (key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab) return false;
  const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
  if (modifiers & Qt::ControlModifier) {
    focusNextPrevChild(!(modifiers & Qt::ShiftModifier) && key->key() == Qt::Key_Tab);
    return true;
  }
  // Shift+Tab takes the lines back a tab stop, as editors do (it would move
  // the focus to C, where Return saves and closes).
  if (box == script_ && key->key() == Qt::Key_Backtab &&
      (modifiers & ~Qt::ShiftModifier) == Qt::NoModifier) {
    Outdent();
    return true;
  }
  if (box != script_ || modifiers != Qt::NoModifier || key->key() != Qt::Key_Tab) return false;
  QTextCursor cursor = script_->textCursor();
  if (cursor.hasSelection()) {
    // Over a selection Tab indents its lines, in one undo step, as editors
    // do; a selection that ends at a line's start leaves that line alone.
    QTextDocument* doc = script_->document();
    QTextBlock block = doc->findBlock(cursor.selectionStart());
    QTextBlock last = doc->findBlock(cursor.selectionEnd());
    if (last != block && cursor.selectionEnd() == last.position()) last = last.previous();
    QTextCursor edit(doc);
    edit.beginEditBlock();
    for (;; block = block.next()) {
      edit.setPosition(block.position());
      edit.insertText(QString(kTabWidth, QLatin1Char(' ')));
      if (block == last) break;
    }
    edit.endEditBlock();
    return true;
  }
  const QString before = cursor.block().text().left(cursor.positionInBlock());
  cursor.insertText(QString(BlanksForTabKey(before.toStdString()), QLatin1Char(' ')));
  script_->setTextCursor(cursor);
  return true;
}

void MainWindow::Outdent() {
  const QTextCursor cursor = script_->textCursor();
  QTextDocument* doc = script_->document();
  QTextBlock block = doc->findBlock(cursor.selectionStart());
  QTextBlock last = doc->findBlock(cursor.selectionEnd());
  if (last != block && cursor.selectionEnd() == last.position()) last = last.previous();
  QTextCursor edit(doc);
  edit.beginEditBlock();
  for (;; block = block.next()) {
    const QString text = block.text();
    int blanks = 0;
    while (blanks < text.size() && text[blanks] == QLatin1Char(' ')) ++blanks;
    if (const int taken = BlanksForShiftTab(blanks); taken > 0) {
      edit.setPosition(block.position());
      edit.setPosition(block.position() + taken, QTextCursor::KeepAnchor);
      edit.removeSelectedText();
    }
    if (block == last) break;
  }
  edit.endEditBlock();
}

QPlainTextEdit* MainWindow::EditedBox() const {
  if (results_->hasFocus()) return results_;
  if (script_->hasFocus()) return script_;
  return last_box_ != nullptr ? last_box_ : script_;
}

void MainWindow::UpdatePosition() {
  const QTextCursor cursor = script_->textCursor();
  const QString before = cursor.block().text().left(cursor.positionInBlock());
  position_->setText(QStringLiteral("%1:%2")
                         .arg(cursor.blockNumber() + 1)
                         .arg(ColumnAtCaret(before.toStdString())));
}

std::optional<std::string> MainWindow::DroppedFile(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls()) return std::nullopt;
  for (const QUrl& url : data->urls()) {
    if (!url.isLocalFile()) continue;
    // The path's own bytes: a name that is not UTF-8 must still open.
    return QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString();
  }
  return std::nullopt;
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (DroppedFile(event->mimeData())) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  const std::optional<std::string> path = DroppedFile(event->mimeData());
  if (!path) return;
  event->acceptProposedAction();
  // After the drop has ended: opening may ask a question.
  QTimer::singleShot(0, this, [this, file = *path] {
    if (controller_ != nullptr) controller_->Open(file);
  });
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  // A file dragged onto a box opens, rather than its name being typed.
  if (results_ != nullptr && (watched == script_->viewport() || watched == results_->viewport()) &&
      (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove ||
       event->type() == QEvent::Drop)) {
    auto* drop = static_cast<QDropEvent*>(event);
    if (DroppedFile(drop->mimeData())) {
      if (event->type() == QEvent::Drop) {
        dropEvent(drop);
      } else {
        drop->acceptProposedAction();
      }
      return true;
    }
  }
  if ((watched == script_ || watched == results_) && event->type() == QEvent::FocusIn) {
    last_box_ = static_cast<QPlainTextEdit*>(watched);
  }
  if (results_ != nullptr && watched == results_->viewport() &&
      event->type() == QEvent::MouseButtonRelease && controller_ != nullptr &&
      !results_->textCursor().hasSelection()) {
    controller_->ResultsLineActivated(results_->textCursor().blockNumber());
  }
  if (watched == results_ && event->type() == QEvent::KeyPress && controller_ != nullptr &&
      (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return ||
       static_cast<QKeyEvent*>(event)->key() == Qt::Key_Enter) &&
      static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier) {
    controller_->ResultsLineActivated(results_->textCursor().blockNumber());
    return true;
  }
  if ((watched == script_ || watched == results_) && event->type() == QEvent::KeyPress &&
      TabKey(static_cast<QPlainTextEdit*>(watched), static_cast<QKeyEvent*>(event))) {
    return true;
  }
  // The boxes would take Ctrl+Return for a line break of their own; the
  // window's keys come first.
  if ((watched == script_ || watched == results_) && event->type() == QEvent::ShortcutOverride &&
      IsCommandKey(static_cast<QKeyEvent*>(event))) {
    return true;
  }
  if (watched == client_ && event->type() == QEvent::Resize) {
    ApplyLayout();
  } else if ((watched == script_ || watched == results_) && controller_ != nullptr &&
             (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
    controller_->FocusChanged(watched == script_ ? Box::kScript : Box::kResults,
                              event->type() == QEvent::FocusIn);
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::changeEvent(QEvent* event) {
  // The desktop's font changed: the row grows or shrinks with it.
  if (event->type() == QEvent::FontChange) ApplyLayout();
  // A note that waited for the window: once the window manager has placed
  // it and given it the focus.
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && !pending_note_.isEmpty()) {
    QTimer::singleShot(100, this, [this] {
      if (isActiveWindow()) ShowPendingNote();
    });
  }
  QMainWindow::changeEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // The title bar's close button is Done, so closing never loses the script.
  if (!ending_ && controller_ != nullptr) controller_->Done();
  if (ending_ || controller_ == nullptr) {
    event->accept();
  } else {
    event->ignore();
  }
}

std::string MainWindow::BoxText(Box which) {
  // The raw text keeps no-break spaces, which plain text would turn into
  // blanks; only the paragraph separators become line ends.
  QString text = box(which)->document()->toRawText();
  text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  text.replace(QChar::LineSeparator, QLatin1Char('\n'));
  return text.toStdString();
}

void MainWindow::SetBoxText(Box which, const std::string& text) {
  box(which)->setPlainText(QString::fromStdString(text));
  box(which)->document()->setModified(false);
}

void MainWindow::EditScriptText(const std::string& text) {
  // Only the part that differs is replaced, in one undo step, so that the
  // caret and the view stay where they were.
  const QString now =
      script_->document()->toRawText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  const QString wanted = QString::fromStdString(text);
  qsizetype head = 0;
  while (head < now.size() && head < wanted.size() && now[head] == wanted[head]) ++head;
  qsizetype tail = 0;
  while (tail < now.size() - head && tail < wanted.size() - head &&
         now[now.size() - 1 - tail] == wanted[wanted.size() - 1 - tail]) {
    ++tail;
  }
  if (head == now.size() && head == wanted.size()) return;
  QTextCursor edit(script_->document());
  edit.setPosition(static_cast<int>(head));
  edit.setPosition(static_cast<int>(now.size() - tail), QTextCursor::KeepAnchor);
  edit.insertText(wanted.mid(head, wanted.size() - head - tail));
}

bool MainWindow::ScriptModified() {
  return script_->document()->isModified();
}

void MainWindow::SetScriptModified(bool modified) {
  script_->document()->setModified(modified);
}

void MainWindow::SetLabel(const std::string& text) {
  label_->setText(QString::fromStdString(text));
}

void MainWindow::SetTitle(const std::string& text) {
  // "[*]" is where the mark of unsaved changes goes; one in a file's name
  // is doubled to be shown as it is.
  QString title = QString::fromStdString(text);
  title.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
  setWindowTitle(QStringLiteral("[*]") + title);
  setWindowModified(script_->document()->isModified());
}

void MainWindow::ShowMessage(int icon, const char* caption, const std::string& text) {
  Report(std::string(caption) + ": " + text);
  QMessageBox message(static_cast<QMessageBox::Icon>(icon), QString::fromLatin1(caption),
                      Wrappable(text), QMessageBox::Ok, this);
  PrepareMessage(message);
  message.exec();
}

void MainWindow::ShowError(const std::string& text) {
  ShowMessage(QMessageBox::Critical, "Error", text);
}

void MainWindow::ShowWarning(const std::string& text) {
  ShowMessage(QMessageBox::Warning, "Warning", text);
}

void MainWindow::ShowInformation(const std::string& text) {
  ShowMessage(QMessageBox::Information, "Orbelin", text);
}

namespace {

// "Save As…" becomes "&Save As…": Alt and the first letter press it.
QString WithMnemonic(const std::string& text) {
  return QLatin1Char('&') + QString::fromStdString(text);
}

}  // namespace

Answer MainWindow::Ask(const Question& question) {
  Report("Question: " + question.text);
  QMessageBox box(question.cancel_is_default ? QMessageBox::Warning : QMessageBox::Question,
                  QStringLiteral("Orbelin"), Wrappable(question.text), QMessageBox::NoButton, this);
  PrepareMessage(box);
  QPushButton* yes = box.addButton(WithMnemonic(question.yes), QMessageBox::AcceptRole);
  QPushButton* no = question.no.empty()
                        ? nullptr
                        : box.addButton(WithMnemonic(question.no), QMessageBox::DestructiveRole);
  QPushButton* cancel = box.addButton(QStringLiteral("&Cancel"), QMessageBox::RejectRole);
  box.setDefaultButton(question.cancel_is_default ? cancel : yes);
  box.setEscapeButton(cancel);
  box.exec();
  // The system may end the program while the question is open.
  if (ending_) return Answer::kCancel;
  if (box.clickedButton() == yes) return Answer::kYes;
  if (no != nullptr && box.clickedButton() == no) return Answer::kNo;
  return Answer::kCancel;
}

void MainWindow::ShowNote(const std::string& text) {
  Report("Note: " + text);
  pending_note_ = QString::fromStdString(text);
  // Until the window is placed and in front (at the start, or under a
  // dialog), the caret's place on the screen is not known: the note waits.
  if (isActiveWindow()) ShowPendingNote();
}

void MainWindow::ShowPendingNote() {
  if (pending_note_.isEmpty()) return;
  const QRect caret = script_->cursorRect();
  QToolTip::showText(script_->viewport()->mapToGlobal(caret.bottomLeft()), pending_note_,
                     script_->viewport(), QRect(), 8000);
  pending_note_.clear();
}

void MainWindow::Report(const std::string& text) {
  std::string line = text;
  std::replace(line.begin(), line.end(), '\n', ' ');
  std::fprintf(stderr, "orbelin-window: %s\n", line.c_str());
}

void MainWindow::SetRecentFiles(const std::vector<std::string>& paths) {
  recent_menu_->clear();
  int number = 0;
  for (const std::string& path : paths) {
    // A number to press; an ampersand in the path would be taken for one.
    const QString text =
        QStringLiteral("&%1 ").arg(++number) +
        QString::fromStdString(path).replace(QLatin1Char('&'), QLatin1String("&&"));
    QAction* item = recent_menu_->addAction(text);
    connect(item, &QAction::triggered, this, [this, path] {
      if (controller_ != nullptr) controller_->Open(path);
    });
  }
  recent_menu_->setEnabled(!paths.empty());
}

void MainWindow::Replace() {
  ReplaceDialog dialog(script_, find_text_, this);
  dialog.exec();
  if (!dialog.find_text().isEmpty()) find_text_ = dialog.find_text();
}

void MainWindow::ShowHandbook() {
  if (handbook_ == nullptr) {
    handbook_ = new HandbookWindow(this);
    // A window of its own beside the script, not a dialog in front of it.
    handbook_->setWindowFlag(Qt::Window);
  }
  // F1 on a keyword, a message number or a word shows what is said of it.
  QTextCursor word = script_->textCursor();
  if (!word.hasSelection()) word.select(QTextCursor::WordUnderCursor);
  const QString selected = word.selectedText().trimmed();
  if (!selected.isEmpty() && script_->hasFocus()) handbook_->LookUp(selected);
  handbook_->show();
  handbook_->raise();
  handbook_->activateWindow();
}

void MainWindow::About() {
  QMessageBox box(QMessageBox::Information, QStringLiteral("About Orbelin"),
                  QStringLiteral("Orbelin %1\n\nA pocket calculator for puzzle solving and field "
                                 "navigation: write a script in the upper box, Calc runs it, the "
                                 "lower box shows the results.\n\nHelp > Handbook (F1), or "
                                 "orbelin help on the command line, explains every keyword.")
                      .arg(QCoreApplication::applicationVersion()),
                  QMessageBox::Ok, this);
  PrepareMessage(box);
  box.exec();
}

void MainWindow::Find() {
  bool ok = false;
  const QString text = QInputDialog::getText(this, QStringLiteral("Find"), QStringLiteral("Find:"),
                                             QLineEdit::Normal, find_text_, &ok);
  if (!ok || text.isEmpty()) return;
  find_text_ = text;
  FindNext();
}

void MainWindow::FindNext() {
  if (find_text_.isEmpty()) return Find();
  QPlainTextEdit* edit = results_->hasFocus() ? results_ : script_;
  if (!edit->find(find_text_)) {
    const QTextCursor at = edit->textCursor();
    edit->moveCursor(QTextCursor::Start);
    if (!edit->find(find_text_)) {
      edit->setTextCursor(at);
      ShowNote("Not found: " + find_text_.toStdString());
      return;
    }
  }
  edit->setFocus();
}

void MainWindow::Zoom(int step) {
  zoom_ = step == 0 ? 0 : std::clamp(zoom_ + step, -6, 24);
  for (QPlainTextEdit* edit : {script_, results_}) {
    QFont font = BoxFont();
    if (font.pointSizeF() > 0) {
      font.setPointSizeF(std::max(4.0, font.pointSizeF() + zoom_));
    } else {
      font.setPixelSize(std::max(6, font.pixelSize() + zoom_));
    }
    edit->setFont(font);
  }
}

void MainWindow::SetHandOffNote(const std::string& text) {
  // An ampersand in the path would be taken for a key letter; the item's
  // own letter is its first.
  hand_off_note_->setText(QLatin1Char('&') + QString::fromStdString(text).replace(
                                                 QLatin1Char('&'), QLatin1String("&&")));
}

void MainWindow::SetClipboard(const std::string& text) {
  QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

bool MainWindow::OpenLink(const std::string& uri) {
  // The desktop's opener says by its exit status whether a program took
  // the link (Debian's xdg-open fails for geo: unless one is set up); an
  // opener still running after a while has found one.
  auto* opener = new QProcess(this);
  connect(opener, &QProcess::finished, opener, &QObject::deleteLater);
  opener->start(QStringLiteral("xdg-open"), {QString::fromStdString(uri)});
  if (!opener->waitForStarted(kOpenerWaitMs)) {
    opener->deleteLater();
    return false;
  }
  if (!opener->waitForFinished(kOpenerWaitMs)) return true;
  return opener->exitStatus() == QProcess::NormalExit && opener->exitCode() == 0;
}

std::optional<std::string> MainWindow::ChooseFile(const FileDialogRequest& request) {
  QFileDialog dialog(this, QString::fromStdString(request.title), PathText(request.start_folder),
                     QString::fromStdString(request.filter));
  if (!request.file_name.empty()) dialog.selectFile(QString::fromStdString(request.file_name));
  if (request.open) {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // Qt's own check that the file exists fails for a name that is not
    // UTF-8; the window checks the file it opens, and says why it cannot.
    dialog.setFileMode(QFileDialog::AnyFile);
  } else {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  // The bytes of the name as it is on disk, UTF-8 or not.
  return PathBytes(dialog.selectedFiles().first());
}

WindowId MainWindow::MainWindowId() {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return 0;
  return static_cast<WindowId>(winId());
}

WindowId MainWindow::FindWindowByClass(const std::string& class_name) {
  return FindX11WindowByClass(class_name);
}

void MainWindow::SendWindowMessage(WindowId window, long message, WindowId param, long param2) {
  SendX11WindowMessage(window, message, param, param2);
}

void MainWindow::BringToFront(WindowId window) {
  ActivateX11Window(window);
}

void MainWindow::PlaceCaret(Box which, int line, int index) {
  QPlainTextEdit* edit = box(which);
  QTextDocument* doc = edit->document();
  line = std::clamp(line, 0, doc->blockCount() - 1);
  const QTextBlock block = doc->findBlockByNumber(line);
  const QString text = block.text();
  // The index counts characters; the block counts UTF-16 units.
  int unit = 0;
  for (int i = 0; i < index && unit < text.size(); ++i) {
    const bool pair =
        text[unit].isHighSurrogate() && unit + 1 < text.size() && text[unit + 1].isLowSurrogate();
    unit += pair ? 2 : 1;
  }
  QTextCursor cursor(block);
  cursor.setPosition(block.position() + unit);
  edit->setTextCursor(cursor);
  edit->verticalScrollBar()->setValue(line);
  edit->ensureCursorVisible();
  edit->setFocus();
}

void MainWindow::SetInputPanel(bool) {
  // A desktop has no on-screen input panel to raise or lower.
}

void MainWindow::EndWindow() {
  ending_ = true;
  close();
  emit Ended();
}

}  // namespace orbelin
