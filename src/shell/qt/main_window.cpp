#include "shell/qt/main_window.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
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
#include <QToolTip>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "frontend/pasted_text.h"
#include "shell/layout.h"
#include "shell/qt/vary_dialog.h"
#include "shell/qt/x11_windows.h"
#include "shell/tab_key.h"
#include "shell/window_controller.h"

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

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle(QStringLiteral("Orbelin"));

  // Alt+F opens it.
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  AddCommand(file, "Calc", WindowController::kCalcMenu,
             {QKeySequence(Qt::Key_F5), QKeySequence(Qt::CTRL | Qt::Key_Return),
              QKeySequence(Qt::CTRL | Qt::Key_Enter)});
  // Save saves under the current name (a new script asks for one), Save As
  // always asks: named for what they do, as in any editor.
  AddCommand(file, "Save", WindowController::kSaveCurrent, {QKeySequence::Save});
  AddCommand(file, "Save As…", WindowController::kSaveMenu,
             {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)});
  AddCommand(file, "Load", WindowController::kLoadMenu, {QKeySequence::Open});
  AddCommand(file, "&New", WindowController::kNew, {QKeySequence::New});
  recent_menu_ = file->addMenu(QStringLiteral("&Recent"));
  recent_menu_->setEnabled(false);
  file->addSeparator();
  auto* find = new QAction(QStringLiteral("&Find…"), this);
  find->setShortcut(QKeySequence::Find);
  connect(find, &QAction::triggered, this, &MainWindow::Find);
  file->addAction(find);
  auto* find_next = new QAction(QStringLiteral("Find ne&xt"), this);
  find_next->setShortcuts({QKeySequence::FindNext, QKeySequence(Qt::Key_F3)});
  connect(find_next, &QAction::triggered, this, &MainWindow::FindNext);
  file->addAction(find_next);
  // Ctrl+plus (also Ctrl+= on keyboards where plus needs Shift), Ctrl+minus,
  // Ctrl+0.
  const std::pair<QList<QKeySequence>, int> zooms[] = {
      {{QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)}, 1},
      {{QKeySequence::ZoomOut}, -1},
      {{QKeySequence(Qt::CTRL | Qt::Key_0)}, 0}};
  for (const auto& [keys, step] : zooms) {
    auto* zoom = new QAction(this);
    zoom->setShortcuts(keys);
    connect(zoom, &QAction::triggered, this, [this, step = step] { Zoom(step); });
    addAction(zoom);
  }
  file->addSeparator();
  // Calc, Save and Load keep the plain texts Orbelin has always shown; these
  // have a letter to press.
  AddCommand(file, "&Export as GPX…", WindowController::kExportGpx);
  AddCommand(file, "Open in &map", WindowController::kOpenInMap);
  AddCommand(file, "Copy c&oordinates", WindowController::kCopyCoordinates);
  file->addSeparator();
  // Not a command of the window's logic: the dialog runs the core's value
  // search on the box's text and keeps nothing.
  auto* try_values = new QAction(QStringLiteral("Try &values…"), this);
  connect(try_values, &QAction::triggered, this, &MainWindow::TryValues);
  file->addAction(try_values);
  file->addSeparator();
  hand_off_note_ = AddCommand(file, "Hand-off file", WindowController::kHandOffInfo);
  // Keys without a menu item of their own.
  AddCommand(nullptr, "Done", WindowController::kDone, {QKeySequence(Qt::CTRL | Qt::Key_Q)});

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

  calc_ = AddButton("B", WindowController::kCalcButton, "Calc", WindowController::kCalcMenu);
  load_ = AddButton("L", WindowController::kLoadButton, "Load", WindowController::kLoadMenu);
  save_ = AddButton("S", WindowController::kSaveButton, "Save under a new name",
                    WindowController::kSaveMenu);
  hand_off_ =
      AddButton("O", WindowController::kHandOffButton, "Hand the point to the map program", 0);
  done_ = AddButton("C", WindowController::kDone, "Save and close", WindowController::kDone);

  script_ = MakeBox(client_, true);
  results_ = MakeBox(client_, false);
  // The results are the run's: the next Calc would replace anything typed
  // there. Selecting, copying and the caret (Return on a diagnostic) stay.
  results_->setReadOnly(true);
  results_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  script_->installEventFilter(this);
  results_->installEventFilter(this);
  // A click on an error or a warning listed under the results takes the
  // caret to its place in the script.
  results_->viewport()->installEventFilter(this);
  connect(script_, &QPlainTextEdit::textChanged, this, [this] {
    if (controller_ != nullptr) controller_->ScriptEdited();
  });
  setTabOrder(script_, results_);
  // Typing goes into the script box from the start.
  script_->setFocus();

  resize(DefaultSize());
}

MainWindow::~MainWindow() = default;

QAction* MainWindow::AddCommand(QMenu* menu, const char* text, int id,
                                const QList<QKeySequence>& keys) {
  auto* action = new QAction(QString::fromUtf8(text), this);
  action->setShortcuts(keys);
  connect(action, &QAction::triggered, this, [this, id] { Command(id); });
  if (menu != nullptr) {
    menu->addAction(action);
  } else {
    addAction(action);
  }
  commands_[id] = action;
  return action;
}

QPushButton* MainWindow::AddButton(const char* text, int id, const char* tip, int keys_of) {
  auto* button = new QPushButton(QString::fromLatin1(text), client_);
  // The one-letter buttons say what they do, and which key does it too.
  QString tool_tip = QString::fromUtf8(tip);
  if (const QAction* same = command(keys_of); same != nullptr && !same->shortcut().isEmpty()) {
    tool_tip += QStringLiteral(" (") + same->shortcut().toString(QKeySequence::NativeText) +
                QLatin1Char(')');
  }
  button->setToolTip(tool_tip);
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
  VaryDialog dialog(BoxText(Box::kScript), name, this);
  dialog.exec();
}

void MainWindow::Command(int id) {
  if (controller_ != nullptr) controller_->HandleCommand(id);
}

bool MainWindow::IsCommandKey(const QKeyEvent* key) const {
  const QKeySequence pressed(key->keyCombination());
  // Every key of the window: its commands, Find and zoom.
  for (const QAction* action : findChildren<QAction*>()) {
    if (action->shortcuts().contains(pressed)) return true;
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

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
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
}

void MainWindow::SetLabel(const std::string& text) {
  label_->setText(QString::fromStdString(text));
}

void MainWindow::SetTitle(const std::string& text) {
  setWindowTitle(QString::fromStdString(text));
}

// A long path has no blank to wrap at, and the message box grew as wide as
// the screen: a zero-width space after each '/' lets it wrap there.
QString Wrappable(const std::string& text) {
  QString shown = QString::fromStdString(text);
  shown.replace(QLatin1Char('/'), QStringLiteral("/\u200B"));
  return shown;
}

void PrepareMessage(QMessageBox& box) {
  box.setTextFormat(Qt::PlainText);
  // Paths and links in a message may be copied from it.
  box.setTextInteractionFlags(Qt::TextSelectableByMouse);
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
  const QRect caret = script_->cursorRect();
  QToolTip::showText(script_->viewport()->mapToGlobal(caret.bottomLeft()),
                     QString::fromStdString(text), script_->viewport(), QRect(), 8000);
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
  // An ampersand in the path would be taken for a key letter.
  hand_off_note_->setText(
      QString::fromStdString(text).replace(QLatin1Char('&'), QLatin1String("&&")));
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
  QFileDialog dialog(this, QString::fromStdString(request.title),
                     QString::fromStdString(request.start_folder),
                     QString::fromStdString(request.filter));
  if (!request.file_name.empty()) dialog.selectFile(QString::fromStdString(request.file_name));
  if (request.open) {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
  } else {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().first().toStdString();
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
