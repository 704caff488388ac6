#include "window/qt/vary_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "fake_platform.h"
#include "qt_test_support.h"
#include "test_files.h"

namespace orbelin {
namespace {

using testing::FakePlatform;
using testing::WaitUntil;

std::string Example(const char* name) {
  std::string bytes = testing::ReadBytes(std::string(ORBELIN_SOURCE_DIR) + "/examples/" + name);
  // The box holds the text as the window shows it: no NUL, "\n" line ends.
  bytes = bytes.substr(0, bytes.find('\0'));
  std::string text;
  for (char c : bytes) {
    if (c != '\r') text += c;
  }
  return text;
}

QPushButton* Button(const VaryDialog& dialog, const QString& text) {
  for (QPushButton* b : dialog.findChildren<QPushButton*>()) {
    if (b->text().remove(QLatin1Char('&')) == text) return b;
  }
  return nullptr;
}

// Run, then wait for the search's thread to report its end.
void RunAndWait(VaryDialog& dialog) {
  QTest::mouseClick(Button(dialog, QStringLiteral("Run")), Qt::LeftButton);
  EXPECT_TRUE(WaitUntil([&] { return !dialog.running(); }, 60000));
}

QStringList Listed(const VaryDialog& dialog) {
  QStringList items;
  for (int i = 0; i < dialog.points()->count(); ++i) items << dialog.points()->item(i)->text();
  return items;
}

// The cookbook's final through File > Try values…: a field for each name of
// the VAR line; the three points that pass, nearest first, as the command
// line lists them; one copied as the geocaching text, and opened in a map
// as the main window opens its point (the web map where no program takes
// geo: links).
TEST(VaryDialogTest, FindsTheCookbooksFinal) {
  FakePlatform platform;
  VaryDialog dialog(platform, Example("unknown_digits.inp"), "/home/u/unknown_digits.inp");
  dialog.show();
  for (const char* name : {"A", "B", "C", "D", "E", "F", "G", "H", "LAT", "LON", "CHK"}) {
    EXPECT_NE(dialog.field(QString::fromLatin1(name)), nullptr) << name;
  }
  for (const char* name : {"A", "E", "H"}) {
    QTest::keyClicks(dialog.field(QString::fromLatin1(name)), QStringLiteral("0..9"));
  }
  QTest::keyClicks(dialog.field(QStringLiteral("Keep only")), QStringLiteral("CHK=41"));
  QTest::keyClicks(dialog.field(QStringLiteral("Near")),
                   QStringLiteral("N 48\u00B0 14.120 E 011\u00B0 29.870"));
  QTest::keyClicks(dialog.field(QStringLiteral("Within")), QStringLiteral("2mi"));
  RunAndWait(dialog);
  EXPECT_EQ(Listed(dialog).join(QLatin1Char('\n')).toStdString(),
            "A=4 E=0 H=0  \u00B7  N 48\u00B0 14.347 E 011\u00B0 30.500  \u00B7  886 m  \u00B7  "
            "Digit sum: 41\n"
            "A=3 E=0 H=1  \u00B7  N 48\u00B0 13.347 E 011\u00B0 30.501  \u00B7  1.63 km  \u00B7  "
            "Digit sum: 41\n"
            "A=3 E=1 H=0  \u00B7  N 48\u00B0 13.347 E 011\u00B0 31.500  \u00B7  2.48 km  \u00B7  "
            "Digit sum: 41");
  EXPECT_TRUE(dialog.said()->text().startsWith(QStringLiteral("1,000 combinations tried")))
      << dialog.said()->text().toStdString();
  EXPECT_TRUE(Button(dialog, QStringLiteral("Export as GPX…"))->isEnabled());

  if (const char* dir = std::getenv("ORBELIN_SCREENSHOTS")) {
    QApplication::processEvents();
    dialog.grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/try-values.png"));
  }
  dialog.points()->setCurrentRow(0);
  QTest::mouseClick(Button(dialog, QStringLiteral("Copy coordinates")), Qt::LeftButton);
  EXPECT_EQ(QApplication::clipboard()->text(),
            QStringLiteral("N 48\u00B0 14.347 E 011\u00B0 30.500"));

  platform.links_open = false;
  QTest::mouseClick(Button(dialog, QStringLiteral("Open in map")), Qt::LeftButton);
  ASSERT_EQ(platform.links.size(), 2u);
  EXPECT_EQ(platform.links[0].rfind("geo:48.2391", 0), 0u) << platform.links[0];
  EXPECT_EQ(platform.links[1].rfind("https://www.openstreetmap.org/", 0), 0u) << platform.links[1];
  EXPECT_EQ(platform.notes.size(), 1u);
}

// Mistakes are said in the dialog, each naming its field; nothing runs.
TEST(VaryDialogTest, SaysWhatIsWrongWithTheFields) {
  FakePlatform platform;
  VaryDialog dialog(platform, "VAR A, B;\nOLAT = 48 + A / 60; OLON = 11;\n", "walk.inp");
  dialog.show();
  QTest::keyClicks(dialog.field(QStringLiteral("A")), QStringLiteral("5..1"));
  QTest::keyClicks(dialog.field(QStringLiteral("Within")), QStringLiteral("far"));
  QTest::mouseClick(Button(dialog, QStringLiteral("Run")), Qt::LeftButton);
  EXPECT_FALSE(dialog.running());
  const QString said = dialog.said()->text();
  EXPECT_TRUE(said.contains(QStringLiteral("'5..1'")) && said.contains(QStringLiteral("Within: ")))
      << said.toStdString();
  EXPECT_EQ(dialog.points()->count(), 0);

  VaryDialog none(platform, "WRITE 1;\n", "walk.inp");
  EXPECT_FALSE(Button(none, QStringLiteral("Run"))->isEnabled());
  EXPECT_TRUE(none.said()->text().contains(QStringLiteral("VAR line")));
}

constexpr const char* kLongSearch = "VAR A, B, C;\nOLAT = 48 + A / 60; OLON = 11 + B / 60;\n";

// Starts a search of 200^3 combinations and waits until it shows progress:
// the dialog answers while it runs.
void StartLongSearch(VaryDialog& dialog) {
  dialog.show();
  for (const char* name : {"A", "B", "C"}) {
    QTest::keyClicks(dialog.field(QString::fromLatin1(name)), QStringLiteral("0..199"));
  }
  QTest::mouseClick(Button(dialog, QStringLiteral("Run")), Qt::LeftButton);
  ASSERT_TRUE(dialog.running());
  EXPECT_FALSE(dialog.field(QStringLiteral("A"))->isEnabled());
  EXPECT_TRUE(WaitUntil([&] {
    return dialog.said()->text().contains(QStringLiteral(" of 8,000,000 combinations"));
  })) << dialog.said()->text().toStdString();
}

// Stop during a long search keeps what was found so far and leaves the
// dialog ready for another run.
TEST(VaryDialogTest, StopKeepsWhatWasFound) {
  FakePlatform platform;
  VaryDialog dialog(platform, kLongSearch, "walk.inp");
  StartLongSearch(dialog);
  QTest::mouseClick(Button(dialog, QStringLiteral("Stop")), Qt::LeftButton);
  ASSERT_TRUE(WaitUntil([&] { return !dialog.running(); }));
  EXPECT_TRUE(dialog.said()->text().startsWith(QStringLiteral("Stopped after ")))
      << dialog.said()->text().toStdString();
  EXPECT_GT(dialog.points()->count(), 0);
  EXPECT_TRUE(Button(dialog, QStringLiteral("Run"))->isVisible());
  EXPECT_TRUE(dialog.field(QStringLiteral("A"))->isEnabled());
}

// Closing the dialog, or the dialog going away with its window, while the
// search runs stops the search and waits for it: nothing it uses is gone
// before it ends (the ASan build checks), and no late signal reaches the
// dialog.
TEST(VaryDialogTest, ClosingStopsTheSearch) {
  FakePlatform platform;
  VaryDialog dialog(platform, kLongSearch, "walk.inp");
  StartLongSearch(dialog);
  dialog.close();  // the title bar's close button
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_FALSE(dialog.running());
  QApplication::processEvents();
  EXPECT_EQ(dialog.points()->count(), 0);

  {
    auto gone = std::make_unique<VaryDialog>(platform, kLongSearch, "walk.inp");
    StartLongSearch(*gone);
  }
  QApplication::processEvents();
}

// The fields show what they held when the dialog last closed on the
// script; values of a variable the script no longer declares are kept for
// later, not tried.
TEST(VaryDialogTest, RemembersItsFields) {
  FakePlatform platform;
  VaryForm remembered;
  remembered.values = {{"A", "0..9"}, {"GONE", "1,2"}};
  remembered.where = "A=2..7";
  remembered.within = "2mi";
  VaryDialog dialog(platform, "VAR A, B;\nOLAT = 48 + A / 60; OLON = 11;\n", "walk.inp",
                    remembered);
  EXPECT_EQ(dialog.field(QStringLiteral("A"))->text(), QStringLiteral("0..9"));
  EXPECT_EQ(dialog.field(QStringLiteral("Keep only"))->text(), QStringLiteral("A=2..7"));
  dialog.field(QStringLiteral("Within"))->clear();
  QTest::keyClicks(dialog.field(QStringLiteral("B")), QStringLiteral("3"));
  RunAndWait(dialog);
  EXPECT_TRUE(dialog.said()->text().startsWith(QStringLiteral("10 combinations tried")))
      << dialog.said()->text().toStdString();
  const VaryForm now = dialog.Fields();
  EXPECT_EQ(now.values, (std::vector<std::pair<std::string, std::string>>{
                            {"A", "0..9"}, {"GONE", "1,2"}, {"B", "3"}}));
  EXPECT_EQ(now.where, "A=2..7");
  EXPECT_EQ(now.within, "");
}

// The final as the cache page writes it, typed into its field: each letter
// gets a field as it is typed (one the script computes needs none), and a
// letter that goes takes its field along but keeps what was typed in it.
// With the digit sum 41, 45 of the 1,000 combinations stay, as a Python
// brute force counts them (see the core's test of the same final):
//   sum(sum(map(int, f"481{a}3{b}70113{c}500")) == 41
//       for a, b, c in itertools.product(range(10), repeat=3))
TEST(VaryDialogTest, FinalAsWrittenOffersItsLetters) {
  FakePlatform platform;
  VaryDialog dialog(platform, "VAR C, K;\nC = K;\n", "walk.inp");
  dialog.show();
  QLineEdit* final = dialog.field(QStringLiteral("Final as written"));
  QTest::keyClicks(final, QStringLiteral("N 48\u00B0 1A.3B7 E 011\u00B0 3Q"));
  ASSERT_NE(dialog.field(QStringLiteral("Q")), nullptr);
  QTest::keyClicks(dialog.field(QStringLiteral("Q")), QStringLiteral("1"));
  QTest::keyClick(final, Qt::Key_Backspace);
  EXPECT_EQ(dialog.field(QStringLiteral("Q")), nullptr);
  QTest::keyClicks(final, QStringLiteral("C.500"));
  EXPECT_EQ(dialog.Fields().values, (std::vector<std::pair<std::string, std::string>>{
                                        {"C", ""}, {"K", ""}, {"A", ""}, {"B", ""}, {"Q", "1"}}));
  for (const char* name : {"A", "B", "K"}) {
    QTest::keyClicks(dialog.field(QString::fromLatin1(name)), QStringLiteral("0..9"));
  }
  QTest::keyClicks(dialog.field(QStringLiteral("Digit sum")), QStringLiteral("41"));
  RunAndWait(dialog);
  ASSERT_EQ(dialog.points()->count(), 45) << dialog.said()->text().toStdString();
  EXPECT_TRUE(Listed(dialog)[0].startsWith(
      QStringLiteral("K=0 A=0 B=8  \u00B7  N 48\u00B0 10.387 E 011\u00B0 30.500")))
      << Listed(dialog)[0].toStdString();

  // A letter only the final reads is a digit: its field left empty tries
  // 0..9, as the placeholder says, and finds the same points.
  dialog.field(QStringLiteral("A"))->clear();
  RunAndWait(dialog);
  EXPECT_EQ(dialog.points()->count(), 45) << dialog.said()->text().toStdString();
}

}  // namespace
}  // namespace orbelin
