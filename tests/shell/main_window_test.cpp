#include "shell/qt/main_window.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>

#include "base/cp1252.h"
#include "qt_test_support.h"
#include "shell/definition_file.h"
#include "shell/layout.h"
#include "shell/window_controller.h"
#include "test_files.h"

namespace orbelin {
namespace {

using namespace std::string_literals;
using testing::AnswerNextModal;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WaitUntil;
using testing::WriteBytes;

Rect RectOf(const QWidget* w) {
  return {w->geometry().x(), w->geometry().y(), w->geometry().width(), w->geometry().height()};
}

// Resizes the window so that its client area is w by h.
void SetClientSize(MainWindow& window, int w, int h) {
  for (int i = 0; i < 3 && window.client()->size() != QSize(w, h); ++i) {
    window.resize(window.width() + w - window.client()->width(),
                  window.height() + h - window.client()->height());
    WaitUntil([&] { return window.client()->size() == QSize(w, h); }, 1000);
  }
}

struct Message {
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Closes the next message box and tells what it said.
std::shared_ptr<Message> ExpectMessage() {
  auto message = std::make_shared<Message>();
  AnswerNextModal([message](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box == nullptr) return modal->close();
    message->title = box->windowTitle();
    message->text = box->text();
    message->icon = box->icon();
    box->accept();
    return true;
  });
  return message;
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  }

  void TearDown() override {
    EXPECT_EQ(testing::DropUnusedAnswers(), 0) << "a dialog to be answered never opened";
  }

  void Attach() {
    controller = std::make_unique<WindowController>(window, session, home.folder());
    window.SetController(controller.get());
  }

  TempFolder home;
  Session session;
  MainWindow window;
  std::unique_ptr<WindowController> controller;
};

// The rectangles themselves are the layout's (layout_test.cpp); here the
// window must apply them on every size change.
TEST_F(MainWindowTest, LayoutFollowsEverySizeChange) {
  for (char name : {'B', 'L', 'S', 'O', 'C'}) {
    EXPECT_EQ(window.button(name)->text(), QString(QChar(name)));
  }
  for (QSize size : {QSize(240, 268), QSize(480, 600), QSize(317, 401)}) {
    SetClientSize(window, size.width(), size.height());
    ASSERT_EQ(window.client()->size(), size);
    WindowLayout expected = ComputeLayout(size.width(), size.height());
    EXPECT_EQ(RectOf(window.box(Box::kScript)), expected.script);
    EXPECT_EQ(RectOf(window.box(Box::kResults)), expected.results);
    EXPECT_EQ(RectOf(window.label()), expected.label);
    EXPECT_EQ(RectOf(window.button('B')), expected.calc);
    EXPECT_EQ(RectOf(window.button('C')), expected.done);
  }
}

TEST_F(MainWindowTest, TitleMenuAndLabelColours) {
  EXPECT_EQ(window.windowTitle(), "Orbelin");
  QList<QAction*> menus = window.menuBar()->actions();
  ASSERT_EQ(menus.size(), 1);
  EXPECT_EQ(menus[0]->text(), "&File");  // Alt+F opens it
  QStringList items;
  for (QAction* a : menus[0]->menu()->actions()) items << a->text();
  EXPECT_EQ(items, (QStringList{"Calc", "Save", "Save As…", "Load", "&New", "&Recent", "", "&Find…",
                                "Find ne&xt", "", "&Export as GPX…", "Open in &map",
                                "Copy c&oordinates", "", "Try &values…", "", "Hand-off file"}));

  window.SetLabel("walk.inp");
  QImage image = window.label()->grab().toImage();
  EXPECT_EQ(image.pixelColor(image.width() - 2, 1), QColor(210, 210, 255));
  EXPECT_EQ(window.label()->palette().color(QPalette::WindowText), QColor(Qt::black));
  EXPECT_EQ(window.box(Box::kScript)->palette().color(QPalette::Base),
            QApplication::palette().color(QPalette::Base));
}

// A larger desktop font makes the row of buttons grow with it.
TEST_F(MainWindowTest, LayoutScalesWithTheDesktopFont) {
  QFont big = window.font();
  big.setPixelSize(30);
  window.setFont(big);
  const double scale = LayoutScale(QFontMetricsF(big).height());
  ASSERT_GT(scale, 1.5);
  const QSize client = window.client()->size();
  const WindowLayout expected = ComputeLayout(client.width(), client.height(), scale);
  EXPECT_TRUE(WaitUntil([&] { return RectOf(window.button('B')) == expected.calc; }));
  EXPECT_EQ(RectOf(window.label()), expected.label);
  EXPECT_EQ(RectOf(window.box(Box::kScript)), expected.script);
  EXPECT_GE(window.label()->height(), QFontMetrics(big).height());
}

TEST_F(MainWindowTest, TitleFollowsTheScriptAndItsEdits) {
  WriteBytes(home / "walk.inp", "VAR A;\0"s);
  WriteDefinition(home.folder(), home / "walk.inp");
  Attach();
  controller->Start();
  EXPECT_EQ(window.windowTitle(), "walk.inp - Orbelin");
  QTest::keyClicks(window.box(Box::kScript), "X");
  EXPECT_EQ(window.windowTitle(), "*walk.inp - Orbelin");
  QTest::keyClick(window.box(Box::kScript), Qt::Key_Backspace);
  EXPECT_EQ(window.windowTitle(), "walk.inp - Orbelin");
}

// The keys of a desktop editor, and the one-letter buttons' tooltips that
// name them.
TEST_F(MainWindowTest, KeysAndTooltips) {
  EXPECT_EQ(window.button('B')->toolTip(), "Calc (F5)");
  EXPECT_EQ(window.button('L')->toolTip(), "Load (Ctrl+O)");
  EXPECT_EQ(window.button('S')->toolTip(), "Save under a new name (Ctrl+Shift+S)");
  EXPECT_EQ(window.button('O')->toolTip(), "Hand the point to the map program");
  EXPECT_EQ(window.button('C')->toolTip(), "Save and close (Ctrl+Q)");

  Attach();
  controller->Start();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  QPlainTextEdit* script = window.box(Box::kScript);
  script->setFocus();

  // Calc: no script file yet.
  // Keys reach the window's commands while it is the active one, as again
  // after each dialog.
  const auto press = [&](const QKeySequence& key) {
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keySequence(script, key);
  };
  for (QKeySequence key : {QKeySequence(Qt::Key_F5), QKeySequence(Qt::CTRL | Qt::Key_Return)}) {
    auto message = ExpectMessage();
    press(key);
    EXPECT_EQ(message->text, "Erst speichern") << key.toString().toStdString();
  }
  // Load and both saves open their dialogs; Ctrl+S asks for a name only
  // while the script has none.
  struct Case {
    QKeySequence key;
    QString dialog;
  } cases[] = {{QKeySequence(Qt::CTRL | Qt::Key_O), "Open File"},
               {QKeySequence(Qt::CTRL | Qt::Key_S), "Save File"},
               {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), "Save File"}};
  for (const Case& c : cases) {
    QString title;
    AnswerNextModal([&](QWidget* modal) {
      title = modal->windowTitle();
      qobject_cast<QDialog*>(modal)->reject();
    });
    press(c.key);
    EXPECT_EQ(title, c.dialog) << c.key.toString().toStdString();
  }

  // Tab types blanks to the next tab stop; Ctrl+Tab leaves the box.
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  script->setFocus();
  QTest::keyClicks(script, "VAR");
  QTest::keyClick(script, Qt::Key_Tab);
  QTest::keyClicks(script, "A;");
  EXPECT_EQ(window.BoxText(Box::kScript), "VAR     A;");
  QTest::keyClick(script, Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_TRUE(WaitUntil([&] { return window.box(Box::kResults)->hasFocus(); }));
  QTest::keyClick(window.box(Box::kResults), Qt::Key_Backtab,
                  Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_TRUE(WaitUntil([&] { return script->hasFocus(); }));

  // Ctrl+Q is Done: typed text with no file asks first.
  auto question = std::make_shared<QString>();
  AnswerNextModal([question](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box == nullptr) return modal->close(), void();
    *question = box->text();
    for (QAbstractButton* button : box->buttons()) {
      if (button->text() == "&Discard") button->click();
    }
  });
  QSignalSpy ended(&window, &MainWindow::Ended);
  press(QKeySequence(Qt::CTRL | Qt::Key_Q));
  EXPECT_EQ(*question, "Save the script you typed?");
  EXPECT_EQ(ended.count(), 1);
}

// The listing's carets stand under their tokens only in a fixed-pitch font;
// long result lines scroll sideways rather than vanish.
TEST_F(MainWindowTest, BoxesUseTheDesktopsFixedFontAndScrollSideways) {
  // What matters is that columns line up: every character a script file
  // can hold takes the same room. (Fontconfig calls some fonts that do so,
  // such as Noto Sans Mono, not fixed-pitch.)
  QString printable;
  for (int byte = 0x20; byte <= 0xFF; ++byte) {
    if (byte == 0x7F) continue;
    const std::string utf8 = Cp1252ToUtf8(std::string(1, static_cast<char>(byte)));
    const QString character = QString::fromStdString(utf8);
    if (character.size() == 1 && character[0].isPrint()) printable += character;
  }
  ASSERT_GT(printable.size(), 200);
  const QString desktop_family =
      QFontInfo(QFontDatabase::systemFont(QFontDatabase::FixedFont)).family();
  for (Box b : {Box::kScript, Box::kResults}) {
    QPlainTextEdit* box = window.box(b);
    EXPECT_EQ(QFontInfo(box->font()).family(), desktop_family);
    EXPECT_EQ(box->font().pointSizeF(), QApplication::font().pointSizeF());
    const QFontMetricsF metrics(box->font());
    const qreal advance = metrics.horizontalAdvance(QLatin1Char(' '));
    for (QChar c : printable) {
      EXPECT_EQ(metrics.horizontalAdvance(c), advance)
          << "U+" << std::hex << static_cast<int>(c.unicode()) << " in "
          << desktop_family.toStdString();
    }
    EXPECT_EQ(box->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(box->horizontalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
  }
  SetClientSize(window, 240, 268);
  window.SetBoxText(Box::kResults, std::string(200, '7') + "\n");
  QScrollBar* bar = window.box(Box::kResults)->horizontalScrollBar();
  EXPECT_TRUE(WaitUntil([&] { return bar->isVisible() && bar->maximum() > 0; }));
}

TEST_F(MainWindowTest, TextsGoInAndOutUnchanged) {
  const std::string text = "VAR\u00A0A;\n\tWRITE '€ ä 😀';\n\n";
  window.SetBoxText(Box::kScript, text);
  EXPECT_EQ(window.BoxText(Box::kScript), text);
  // The results box shows the run's results; typing there changes nothing.
  window.SetBoxText(Box::kResults, "42\n");
  QTest::keyClicks(window.box(Box::kResults), "ab");
  QTest::keyClick(window.box(Box::kResults), Qt::Key_Delete);
  EXPECT_EQ(window.BoxText(Box::kResults), "42\n");
  EXPECT_TRUE(window.box(Box::kResults)->isReadOnly());

  window.SetLabel("<b>x</b>.inp");
  EXPECT_EQ(window.label()->textFormat(), Qt::PlainText);
  EXPECT_EQ(window.label()->text(), "<b>x</b>.inp");
}

// Pasted text obeys the rules of typed text: composed characters, and the
// Tab key's blanks for tabs. Tab over a selection indents its lines, and
// one undo takes that back.
TEST_F(MainWindowTest, PasteAndTabOverASelectionAsTyped) {
  QPlainTextEdit* script = window.box(Box::kScript);
  window.SetBoxText(Box::kScript, "VAR");
  script->moveCursor(QTextCursor::End);
  QGuiApplication::clipboard()->setText(QString::fromUtf8("\tA = 'e\xCC\x81';\n\tB"));
  script->paste();
  EXPECT_EQ(window.BoxText(Box::kScript), "VAR     A = '\xC3\xA9';\n        B");
  // A coordinate from a web page: no-break spaces and prime signs.
  window.SetBoxText(Box::kScript, "");
  QGuiApplication::clipboard()->setText(
      QString::fromUtf8("N\xC2\xA0"
                        "48\xC2\xB0\xE2\x80\xAF"
                        "12\xE2\x80\xB2 20.7\xE2\x80\xB3"));
  script->paste();
  EXPECT_EQ(window.BoxText(Box::kScript), "N 48\xC2\xB0 12' 20.7\"");

  window.SetBoxText(Box::kScript, "A;\nB;\nC;");
  QTextCursor cursor = script->textCursor();
  cursor.setPosition(1);
  cursor.setPosition(6, QTextCursor::KeepAnchor);  // from A's line into C's start
  script->setTextCursor(cursor);
  script->setFocus();
  QTest::keyClick(script, Qt::Key_Tab);
  EXPECT_EQ(window.BoxText(Box::kScript), "        A;\n        B;\nC;");
  script->undo();
  EXPECT_EQ(window.BoxText(Box::kScript), "A;\nB;\nC;");
}

// Ctrl+plus and Ctrl+minus size the boxes' text; the layout stays as the
// window's font makes it. The recent scripts are numbered in the File menu.
TEST_F(MainWindowTest, ZoomAndRecentScripts) {
  SetClientSize(window, 240, 268);
  const QRect script_rect = window.box(Box::kScript)->geometry();
  const qreal size = window.box(Box::kScript)->font().pointSizeF();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  window.box(Box::kScript)->setFocus();
  QTest::keyClick(window.box(Box::kScript), Qt::Key_Plus, Qt::ControlModifier);
  QTest::keyClick(window.box(Box::kScript), Qt::Key_Equal, Qt::ControlModifier);
  EXPECT_EQ(window.box(Box::kScript)->font().pointSizeF(), size + 2);
  EXPECT_EQ(window.box(Box::kResults)->font().pointSizeF(), size + 2);
  EXPECT_EQ(window.box(Box::kScript)->geometry(), script_rect);
  QTest::keyClick(window.box(Box::kScript), Qt::Key_Minus, Qt::ControlModifier);
  EXPECT_EQ(window.box(Box::kScript)->font().pointSizeF(), size + 1);
  QTest::keyClick(window.box(Box::kScript), Qt::Key_0, Qt::ControlModifier);
  EXPECT_EQ(window.box(Box::kScript)->font().pointSizeF(), size);
  EXPECT_EQ(window.BoxText(Box::kScript), "");  // no key reached the text

  window.SetRecentFiles({"/home/u/a&b.inp", "/home/u/c.inp"});
  QMenu* recent = nullptr;
  for (QAction* a : window.menuBar()->actions()[0]->menu()->actions()) {
    if (a->text() == "&Recent") recent = a->menu();
  }
  ASSERT_NE(recent, nullptr);
  EXPECT_TRUE(recent->isEnabled());
  QStringList items;
  for (QAction* a : recent->actions()) items << a->text();
  EXPECT_EQ(items, (QStringList{"&1 /home/u/a&&b.inp", "&2 /home/u/c.inp"}));
}

TEST_F(MainWindowTest, PlaceCaretPutsLineOnTopAndFocusesBox) {
  SetClientSize(window, 240, 268);
  std::string text;
  for (int i = 0; i < 80; ++i) text += "line " + std::to_string(i) + "\n";
  text += "😀x";
  window.SetBoxText(Box::kScript, text);
  window.box(Box::kResults)->setFocus();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

  window.PlaceCaret(Box::kScript, 40, 3);
  QPlainTextEdit* box = window.box(Box::kScript);
  EXPECT_EQ(box->textCursor().blockNumber(), 40);
  EXPECT_EQ(box->textCursor().positionInBlock(), 3);
  EXPECT_EQ(box->verticalScrollBar()->value(), 40);
  EXPECT_EQ(box->cursorForPosition(QPoint(4, 4)).blockNumber(), 40);
  EXPECT_TRUE(WaitUntil([&] { return box->hasFocus(); }));

  window.PlaceCaret(Box::kScript, 80, 1);  // one character, two UTF-16 units
  EXPECT_EQ(box->textCursor().positionInBlock(), 2);
  window.PlaceCaret(Box::kScript, 500, 99);  // past the end: the last place there is
  EXPECT_EQ(box->textCursor().blockNumber(), 80);
  EXPECT_EQ(box->textCursor().positionInBlock(), 3);
}

TEST_F(MainWindowTest, CalcWithoutScriptAsksToSaveFirst) {
  Attach();
  controller->Start();
  auto message = ExpectMessage();
  QTest::mouseClick(window.button('B'), Qt::LeftButton);
  EXPECT_EQ(message->title, "Error");
  EXPECT_EQ(message->text, "Erst speichern");
  EXPECT_EQ(message->icon, QMessageBox::Critical);

  message = ExpectMessage();
  window.menuBar()->actions()[0]->menu()->actions()[0]->trigger();  // File > Calc
  EXPECT_EQ(message->text, "Erst speichern");
}

TEST_F(MainWindowTest, CalcShowsListingMessageAndCaret) {
  WriteBytes(home / "walk.inp", "");
  WriteDefinition(home.folder(), home / "walk.inp");
  Attach();
  controller->Start();
  window.SetBoxText(Box::kScript, "VAR A;\nA = 2\nWRITE A;");
  auto message = ExpectMessage();
  QTest::mouseClick(window.button('B'), Qt::LeftButton);
  EXPECT_EQ(message->text, "Compilation errors\n");
  EXPECT_EQ(window.BoxText(Box::kResults).rfind("Listing:\n\n    1  VAR A;\n", 0), 0u);
  EXPECT_EQ(window.box(Box::kScript)->textCursor().blockNumber(), 2);
  EXPECT_EQ(ReadBytes(home / "walk.inp"), "VAR A;\r\nA = 2\r\nWRITE A;\0"s);
}

// A click on an error listed under the listing takes the script box's caret
// to it.
TEST_F(MainWindowTest, ClickOnADiagnosticGoesToItsPlace) {
  WriteBytes(home / "walk.inp", "");
  WriteDefinition(home.folder(), home / "walk.inp");
  Attach();
  controller->Start();
  window.SetBoxText(Box::kScript, "VAR A;\nA = -2;\nWRITE 1;\nWRITE B;");
  auto message = ExpectMessage();
  QTest::mouseClick(window.button('B'), Qt::LeftButton);
  QPlainTextEdit* results = window.box(Box::kResults);
  QTextBlock line = results->document()->findBlock(
      results->document()->toPlainText().indexOf(QStringLiteral("2:5: error:")));
  ASSERT_TRUE(line.isValid()) << window.BoxText(Box::kResults);
  QTextCursor at(line);
  results->setTextCursor(at);
  results->ensureCursorVisible();
  QTest::mouseClick(results->viewport(), Qt::LeftButton, {},
                    results->cursorRect(at).center() + QPoint(4, 0));
  QTextCursor caret = window.box(Box::kScript)->textCursor();
  EXPECT_EQ(caret.blockNumber(), 1);
  EXPECT_EQ(caret.positionInBlock(), 4);
}

TEST_F(MainWindowTest, HandOffWithoutX11FindsNoMapProgram) {
  WriteBytes(home / "walk.inp", "OLAT = 52.5;\0"s);
  WriteDefinition(home.folder(), home / "walk.inp");
  Attach();
  controller->Start();
  QTest::mouseClick(window.button('B'), Qt::LeftButton);
  auto message = ExpectMessage();
  QTest::mouseClick(window.button('O'), Qt::LeftButton);
  EXPECT_EQ(message->text, "OziExplore not running");
  EXPECT_EQ(window.FindWindowByClass("OziExplorer"), 0u);
}

TEST_F(MainWindowTest, CloseButtonIsDone) {
  WriteBytes(home / "walk.inp", "VAR A;\0"s);
  WriteDefinition(home.folder(), home / "walk.inp");
  Attach();
  controller->Start();
  std::remove((home / "Orbelin.def").c_str());
  QSignalSpy ended(&window, &MainWindow::Ended);
  QTest::keyClicks(window.box(Box::kScript), "X");  // typed at the start

  EXPECT_TRUE(window.close());
  EXPECT_EQ(ended.count(), 1);
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(ReadBytes(home / "walk.inp"), "XVAR A;\0"s);
  EXPECT_EQ(ReadDefinition(home.folder()), home / "walk.inp");
}

TEST_F(MainWindowTest, ButtonCIsDone) {
  WriteBytes(home / "walk.inp", "VAR A;\0"s);
  WriteDefinition(home.folder(), home / "walk.inp");
  Attach();
  controller->Start();
  QSignalSpy ended(&window, &MainWindow::Ended);
  window.SetBoxText(Box::kScript, "typed");
  QTest::mouseClick(window.button('C'), Qt::LeftButton);
  EXPECT_EQ(ended.count(), 1);
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(ReadBytes(home / "walk.inp"), "typed\0"s);
}

// Types a path into the dialog's file name field and presses its button.
void ChoosePath(QFileDialog* dialog, const std::string& path) {
  auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
  ASSERT_NE(name, nullptr);
  name->setText(QString::fromStdString(path));
  static_cast<QDialog*>(dialog)->accept();  // as the dialog's own button does
}

QStringList ListedFiles(QFileDialog* dialog) {
  auto* model = dialog->findChild<QFileSystemModel*>();
  QStringList names;
  if (model == nullptr) return names;
  QModelIndex root = model->index(dialog->directory().absolutePath());
  WaitUntil([&] { return model->rowCount(root) >= 2; }, 3000);
  for (int row = 0; row < model->rowCount(root); ++row) {
    names << model->index(row, 0, root).data().toString();
  }
  names.sort();
  return names;
}

TEST_F(MainWindowTest, OpenDialogShowsScriptsInAnyCase) {
  WriteBytes(home / "walk.inp", "VAR A;\0"s);
  WriteBytes(home / "UP.INP", "VAR B;\0"s);
  WriteBytes(home / "notes.txt", "x");
  Attach();
  controller->Start();

  QString title;
  QStringList filters, listed;
  QDir folder;
  bool existing = false;
  AnswerNextModal([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    if (dialog == nullptr) return modal->close(), void();
    title = dialog->windowTitle();
    filters = dialog->nameFilters();
    folder = dialog->directory();
    existing = dialog->fileMode() == QFileDialog::ExistingFile;
    listed = ListedFiles(dialog);
    ChoosePath(dialog, home / "UP.INP");
  });
  QTest::mouseClick(window.button('L'), Qt::LeftButton);
  EXPECT_EQ(title, "Open File");
  EXPECT_EQ(filters, (QStringList{"All (*.INP)", "All files (*)"}));
  EXPECT_EQ(folder.absolutePath().toStdString() + "/", home.folder());
  EXPECT_TRUE(existing);
  EXPECT_EQ(listed, (QStringList{"UP.INP", "walk.inp"}));
  EXPECT_EQ(window.label()->text(), "UP.INP");
  EXPECT_EQ(window.BoxText(Box::kScript), "VAR B;");
}

// The dialog adds no extension and leaves the question before replacing a
// file to the shell, which asks once ".inp" has been added.
TEST_F(MainWindowTest, SaveDialogAddsNothingAndTheShellAsksBeforeReplacing) {
  WriteBytes(home / "old.inp", "old");
  Attach();
  controller->Start();
  window.SetBoxText(Box::kScript, "VAR C;");

  QString title, suffix, question;
  bool no_question = false, save_mode = false;
  AnswerNextModal([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    if (dialog == nullptr) return modal->close(), void();
    title = dialog->windowTitle();
    suffix = dialog->defaultSuffix();
    no_question = dialog->testOption(QFileDialog::DontConfirmOverwrite);
    save_mode = dialog->acceptMode() == QFileDialog::AcceptSave;
    AnswerNextModal([&](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      if (box == nullptr) return modal->close(), void();
      // (Zero-width spaces let the path wrap.)
      question = box->text().remove(QChar(0x200B));
      for (QAbstractButton* button : box->buttons()) {
        if (button->text() == "&Replace") button->click();
      }
    });
    ChoosePath(dialog, home / "old");
  });
  QTest::mouseClick(window.button('S'), Qt::LeftButton);
  EXPECT_EQ(title, "Save File");
  EXPECT_TRUE(suffix.isEmpty());
  EXPECT_TRUE(no_question);
  EXPECT_TRUE(save_mode);
  EXPECT_EQ(question.toStdString(), home / "old.inp" + " already exists. Replace it?");
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_EQ(ReadBytes(home / "old.inp"), "VAR C;\0"s);
}

}  // namespace
}  // namespace orbelin
