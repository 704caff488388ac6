#include "window/qt/main_window.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QClipboard>
#include <QDropEvent>
#include <QFile>
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
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QUrl>
#include <map>

#include "base/cp1252.h"
#include "help/help.h"
#include "qt_test_support.h"
#include "test_files.h"
#include "window/definition_file.h"
#include "window/layout.h"
#include "window/qt/handbook_window.h"
#include "window/qt/replace_dialog.h"
#include "window/window_controller.h"

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

// The title as the title bar shows it: the mark of unsaved changes in
// place of "[*]".
QString ShownTitle(MainWindow& window) {
  return window.windowHandle() != nullptr ? window.windowHandle()->title() : QString();
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
  // Each button shows its letter, which Alt presses ("&B").
  for (char name : {'B', 'L', 'S', 'O', 'C'}) {
    EXPECT_EQ(window.button(name)->text(), QStringLiteral("&") + QChar(name));
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
  EXPECT_EQ(ShownTitle(window), "Orbelin");
  // Every item has a letter to press with Alt.
  QList<QAction*> menus = window.menuBar()->actions();
  QStringList titles, items;
  for (QAction* menu : menus) {
    titles << menu->text();
    for (QAction* a : menu->menu()->actions()) items << a->text();
    items << "|";
  }
  EXPECT_EQ(titles, (QStringList{"&File", "&Edit", "&Help"}));
  EXPECT_EQ(items, (QStringList{"&Calc",
                                "&Save",
                                "Save &As…",
                                "&Load",
                                "&New",
                                "&Recent",
                                "",
                                "&Export as GPX…",
                                "Open in &map",
                                "Copy c&oordinates",
                                "",
                                "Try &values…",
                                "",
                                "&Hand-off file",
                                "",
                                "&Quit",
                                "|",
                                "&Undo",
                                "&Redo",
                                "",
                                "Cu&t",
                                "&Copy",
                                "&Paste",
                                "Select &all",
                                "",
                                "&Find…",
                                "Find ne&xt",
                                "R&eplace…",
                                "|",
                                "&Handbook",
                                "&About Orbelin",
                                "|"}));
  // No two items of a menu share their letter.
  for (QAction* menu : menus) {
    QStringList letters;
    for (QAction* a : menu->menu()->actions()) {
      const qsizetype amp = a->text().indexOf(QLatin1Char('&'));
      if (a->isSeparator()) continue;
      ASSERT_GE(amp, 0) << a->text().toStdString();
      const QString letter = a->text().mid(amp + 1, 1).toLower();
      EXPECT_FALSE(letters.contains(letter)) << a->text().toStdString();
      letters << letter;
    }
  }

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
  EXPECT_EQ(ShownTitle(window), "walk.inp - Orbelin");
  QTest::keyClicks(window.box(Box::kScript), "X");
  EXPECT_EQ(ShownTitle(window), "*walk.inp - Orbelin");
  // An undo back to the file's text: nothing is unsaved any more.
  window.box(Box::kScript)->undo();
  EXPECT_EQ(ShownTitle(window), "walk.inp - Orbelin");
  QTest::keyClicks(window.box(Box::kScript), "Y");
  EXPECT_EQ(ShownTitle(window), "*walk.inp - Orbelin");
  // Saved: the mark goes; a script named with "[*]" shows it as it is.
  controller->SaveCurrent();
  EXPECT_EQ(ShownTitle(window), "walk.inp - Orbelin");
  WriteBytes(home / "a[*].inp", "");
  controller->Open(home / "a[*].inp");
  EXPECT_EQ(ShownTitle(window), "a[*].inp - Orbelin");
}

// The keys of a desktop editor, and the one-letter buttons' tooltips that
// name them.
TEST_F(MainWindowTest, KeysAndTooltips) {
  EXPECT_EQ(window.button('B')->toolTip(), "Calc (F5)");
  EXPECT_EQ(window.button('L')->toolTip(), "Load (Ctrl+O)");
  EXPECT_EQ(window.button('S')->toolTip(), "Save under a new name (Ctrl+Shift+S)");
  EXPECT_EQ(window.button('S')->accessibleName(), "Save As");
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
    EXPECT_TRUE(message->text.startsWith("Erst speichern")) << key.toString().toStdString();
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

// After Save Anyway the box shows what was saved ('?' for Ω), so that the
// next Calc runs what is seen; the caret stays, and one undo brings Ω back
// as an unsaved change.
TEST_F(MainWindowTest, SaveAnywayShowsWhatWasSaved) {
  WriteBytes(home / "walk.inp", "WRITE 1;\0"s);
  WriteDefinition(home.folder(), home / "walk.inp");
  Attach();
  controller->Start();
  QPlainTextEdit* script = window.box(Box::kScript);
  script->moveCursor(QTextCursor::End);
  script->insertPlainText(QString::fromUtf8(" WRITE '\xCE\xA9x';"));  // as typed
  const int caret = script->textCursor().position();
  AnswerNextModal([](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box == nullptr) return modal->close(), void();
    for (QAbstractButton* button : box->buttons()) {
      if (button->text() == "&Save Anyway") button->click();
    }
  });
  controller->Calc();
  EXPECT_EQ(ReadBytes(home / "walk.inp"), "WRITE 1; WRITE '?x';\0"s);
  EXPECT_EQ(window.BoxText(Box::kScript), "WRITE 1; WRITE '?x';");
  EXPECT_EQ(script->textCursor().position(), caret);
  EXPECT_EQ(ShownTitle(window), "walk.inp - Orbelin");
  script->undo();
  EXPECT_EQ(window.BoxText(Box::kScript), "WRITE 1; WRITE '\xCE\xA9x';");
  EXPECT_EQ(ShownTitle(window), "*walk.inp - Orbelin");
}

// Qt runs neither of two actions that share a key ("Ambiguous shortcut
// overload"): every key belongs to one action only.
TEST_F(MainWindowTest, NoKeyBelongsToTwoActions) {
  std::map<QString, QString> owner;
  for (const QAction* action : window.findChildren<QAction*>()) {
    for (const QKeySequence& key : action->shortcuts()) {
      const QString name = key.toString(QKeySequence::PortableText);
      const auto [it, fresh] = owner.emplace(name, action->text());
      EXPECT_TRUE(fresh) << name.toStdString() << ": " << it->second.toStdString() << " and "
                         << action->text().toStdString();
    }
  }
  // The keys that were once held twice, and those of the Edit menu.
  for (const char* key : {"F3", "Ctrl+Q", "Ctrl+Z", "Ctrl+H", "F1", "Ctrl+F"}) {
    EXPECT_EQ(owner.count(QString::fromLatin1(key)), 1u) << key;
  }
}

// A screen reader names each control by what it does, not by its letter.
TEST_F(MainWindowTest, EveryControlHasANameForScreenReaders) {
  Attach();
  controller->Start();
  const std::pair<char, const char*> buttons[] = {
      {'B', "Calc"}, {'L', "Load"}, {'S', "Save As"}, {'O', "Hand off"}, {'C', "Close"}};
  for (const auto& [letter, name] : buttons) {
    QAccessibleInterface* button = QAccessible::queryAccessibleInterface(window.button(letter));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(QAccessible::Name), name);
    EXPECT_FALSE(button->text(QAccessible::Description).isEmpty()) << letter;
  }
  for (Box b : {Box::kScript, Box::kResults}) {
    QAccessibleInterface* box = QAccessible::queryAccessibleInterface(window.box(b));
    EXPECT_EQ(box->text(QAccessible::Name), b == Box::kScript ? "Script" : "Results");
    EXPECT_FALSE(box->text(QAccessible::Description).isEmpty());
  }
  EXPECT_EQ(QAccessible::queryAccessibleInterface(window.position())->text(QAccessible::Name),
            "Line and column");
}

// Edit's items work on the box with the focus, or the one that had it last.
TEST_F(MainWindowTest, EditMenuWorksOnTheBoxes) {
  const auto item = [&](const QString& text) {
    for (QAction* a : window.menuBar()->actions()[1]->menu()->actions()) {
      if (a->text() == text) return a;
    }
    return static_cast<QAction*>(nullptr);
  };
  QPlainTextEdit* script = window.box(Box::kScript);
  window.SetBoxText(Box::kScript, "WRITE 1;");
  window.SetBoxText(Box::kResults, "42\n");
  EXPECT_FALSE(item("&Undo")->isEnabled());
  script->setFocus();
  script->moveCursor(QTextCursor::End);
  QTest::keyClicks(script, " WRITE 2;");
  EXPECT_TRUE(item("&Undo")->isEnabled());
  item("&Undo")->trigger();
  EXPECT_EQ(window.BoxText(Box::kScript), "WRITE 1;");
  item("&Redo")->trigger();
  EXPECT_EQ(window.BoxText(Box::kScript), "WRITE 1; WRITE 2;");
  item("Select &all")->trigger();
  item("Cu&t")->trigger();
  EXPECT_EQ(window.BoxText(Box::kScript), "");
  item("&Paste")->trigger();
  EXPECT_EQ(window.BoxText(Box::kScript), "WRITE 1; WRITE 2;");
  // The results box copies; it takes nothing.
  window.box(Box::kResults)->setFocus();
  item("Select &all")->trigger();
  item("&Copy")->trigger();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "42\n");
  item("Cu&t")->trigger();
  item("&Paste")->trigger();
  EXPECT_EQ(window.BoxText(Box::kResults), "42\n");
}

// Edit > Replace: one at a time, or all in one step that one undo takes
// back; case does not matter, as in Find.
TEST_F(MainWindowTest, ReplaceOneOrAll) {
  QPlainTextEdit* script = window.box(Box::kScript);
  window.SetBoxText(Box::kScript, "WRITE a;\nwrite b;\nWRITE c;");
  ReplaceDialog dialog(script, QStringLiteral("write"));
  dialog.replace_field()->setText(QStringLiteral("WLAT"));
  EXPECT_TRUE(dialog.FindNext());
  dialog.ReplaceOne();
  EXPECT_EQ(window.BoxText(Box::kScript), "WLAT a;\nwrite b;\nWRITE c;");
  EXPECT_EQ(script->textCursor().selectedText(), "write");  // the next one, found
  EXPECT_EQ(dialog.ReplaceAll(), 2);
  EXPECT_EQ(window.BoxText(Box::kScript), "WLAT a;\nWLAT b;\nWLAT c;");
  EXPECT_EQ(dialog.said()->text(), "2 replaced.");
  script->undo();
  EXPECT_EQ(window.BoxText(Box::kScript), "WLAT a;\nwrite b;\nWRITE c;");
  dialog.find_field()->setText(QStringLiteral("nowhere"));
  EXPECT_FALSE(dialog.FindNext());
  EXPECT_EQ(dialog.said()->text(), "Not found: nowhere");
}

// Help > Handbook, and F1 on a keyword in the script: the handbook's entry,
// as orbelin help prints it.
TEST_F(MainWindowTest, HandbookShowsTheEntryOfTheWordAtTheCaret) {
  window.SetBoxText(Box::kScript, "WRITE WLAT(48.5);");
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  QPlainTextEdit* script = window.box(Box::kScript);
  script->setFocus();
  QTextCursor at(script->document());
  at.setPosition(8);  // in WLAT
  script->setTextCursor(at);
  QTest::keyClick(script, Qt::Key_F1);
  ASSERT_NE(window.handbook(), nullptr);
  EXPECT_TRUE(WaitUntil([&] { return window.handbook()->isVisible(); }));
  EXPECT_EQ(window.handbook()->field()->text(), "WLAT");
  EXPECT_EQ(window.handbook()->text()->toPlainText().toStdString(), *HelpEntry("WLAT"));
  window.handbook()->LookUp(QStringLiteral("E111"));
  EXPECT_EQ(window.handbook()->text()->toPlainText().toStdString(), *HelpEntry("E111"));
  window.handbook()->close();
}

// A path copied from a message box is the path: the zero-width spaces that
// let it wrap stay on the screen.
TEST_F(MainWindowTest, APathCopiedFromAMessageIsThePath) {
  const std::string path = "/home/u/puzzles/walk.inp";
  QString copied;
  AnswerNextModal([&](QWidget* modal) {
    auto* label = modal->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    if (label == nullptr) return modal->close(), void();
    EXPECT_TRUE(label->text().contains(QChar(0x200B)));
    label->setSelection(0, static_cast<int>(label->text().size()));
    label->setFocus();
    QTest::keyClick(label, Qt::Key_C, Qt::ControlModifier);
    copied = QGuiApplication::clipboard()->text();
    qobject_cast<QDialog*>(modal)->accept();
  });
  window.ShowError("Could not open " + path + ": No such file or directory.");
  EXPECT_EQ(copied.toStdString(), "Could not open " + path + ": No such file or directory.");
}

// A file dropped from a file manager opens (a question first about unsaved
// edits, naming it), whatever bytes its name has.
TEST_F(MainWindowTest, ADroppedFileOpens) {
  const std::string name = home / "m\xFCnchen.inp";  // Latin-1, not UTF-8
  WriteBytes(name, "WRITE 1;\0"s);
  Attach();
  controller->Start();
  QMimeData data;
  QUrl url = QUrl::fromEncoded(
      "file://" +
      QByteArray(name.data(), static_cast<qsizetype>(name.size())).toPercentEncoding("/"));
  data.setUrls({url});
  for (QWidget* target : {static_cast<QWidget*>(window.box(Box::kScript)->viewport()),
                          static_cast<QWidget*>(window.label())}) {
    window.SetBoxText(Box::kScript, "");
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    EXPECT_TRUE(WaitUntil([&] { return window.BoxText(Box::kScript) == "WRITE 1;"; }));
    EXPECT_EQ(controller->script_path(), name);
  }
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

  // Shift+Tab takes the selected lines (or the caret's) back a tab stop;
  // the caret's line:column is shown as the diagnostics count it.
  window.SetBoxText(Box::kScript, "          A;\n    B;\nC;");
  cursor = script->textCursor();
  cursor.setPosition(0);
  cursor.setPosition(16, QTextCursor::KeepAnchor);
  script->setTextCursor(cursor);
  QTest::keyClick(script, Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(window.BoxText(Box::kScript), "        A;\nB;\nC;");
  EXPECT_TRUE(script->hasFocus());
  cursor.setPosition(9);  // after "        A"
  script->setTextCursor(cursor);
  EXPECT_EQ(window.position()->text(), "1:10");
  cursor.setPosition(12);
  script->setTextCursor(cursor);
  EXPECT_EQ(window.position()->text(), "2:2");
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
  EXPECT_EQ(message->title, "Orbelin");
  EXPECT_EQ(message->text,
            "Erst speichern: a script runs from its file, so it must be saved first.");
  EXPECT_EQ(message->icon, QMessageBox::Question);

  message = ExpectMessage();
  window.menuBar()->actions()[0]->menu()->actions()[0]->trigger();  // File > Calc
  EXPECT_TRUE(message->text.startsWith("Erst speichern"));
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
  window.EditScriptText("typed");
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
  bool open_mode = false;
  AnswerNextModal([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    if (dialog == nullptr) return modal->close(), void();
    title = dialog->windowTitle();
    filters = dialog->nameFilters();
    folder = dialog->directory();
    open_mode = dialog->acceptMode() == QFileDialog::AcceptOpen;
    listed = ListedFiles(dialog);
    ChoosePath(dialog, home / "UP.INP");
  });
  QTest::mouseClick(window.button('L'), Qt::LeftButton);
  EXPECT_EQ(title, "Open File");
  EXPECT_EQ(filters, (QStringList{"All (*.INP)", "All files (*)"}));
  EXPECT_EQ(folder.absolutePath().toStdString() + "/", home.folder());
  EXPECT_TRUE(open_mode);
  EXPECT_EQ(listed, (QStringList{"UP.INP", "walk.inp"}));
  EXPECT_EQ(window.label()->text(), "UP.INP");
  EXPECT_EQ(window.BoxText(Box::kScript), "VAR B;");
}

// A name that is not UTF-8 (Latin-1 from an old disk): Qt shows it with
// U+FFFD, and the file chosen in the dialog is still the file on disk.
TEST_F(MainWindowTest, OpenDialogKeepsTheBytesOfAName) {
  const std::string name = home / "m\xFCnchen.inp";
  WriteBytes(name, "WRITE 1;\0"s);
  Attach();
  controller->Start();
  AnswerNextModal([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    if (dialog == nullptr) return modal->close(), void();
    ChoosePath(dialog, QFile::decodeName(QByteArray::fromStdString(name)).toStdString());
  });
  QTest::mouseClick(window.button('L'), Qt::LeftButton);
  EXPECT_EQ(controller->script_path(), name);
  EXPECT_EQ(window.BoxText(Box::kScript), "WRITE 1;");
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
