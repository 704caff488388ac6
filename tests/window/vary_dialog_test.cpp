#include "window/qt/vary_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "test_files.h"

namespace orbelin {
namespace {

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

QStringList Listed(const VaryDialog& dialog) {
  QStringList items;
  for (int i = 0; i < dialog.points()->count(); ++i) items << dialog.points()->item(i)->text();
  return items;
}

// The cookbook's final through File > Try values…: a field for each name of
// the VAR line; the three points that pass, nearest first, as the command
// line lists them; one copied as the geocaching text.
TEST(VaryDialogTest, FindsTheCookbooksFinal) {
  VaryDialog dialog(Example("unknown_digits.inp"), "/home/u/unknown_digits.inp");
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
  QTest::mouseClick(Button(dialog, QStringLiteral("Run")), Qt::LeftButton);
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
}

// Mistakes are said in the dialog, each naming its field; nothing runs.
TEST(VaryDialogTest, SaysWhatIsWrongWithTheFields) {
  VaryDialog dialog("VAR A, B;\nOLAT = 48 + A / 60; OLON = 11;\n", "walk.inp");
  dialog.show();
  QTest::keyClicks(dialog.field(QStringLiteral("A")), QStringLiteral("5..1"));
  QTest::keyClicks(dialog.field(QStringLiteral("Within")), QStringLiteral("far"));
  QTest::mouseClick(Button(dialog, QStringLiteral("Run")), Qt::LeftButton);
  const QString said = dialog.said()->text();
  EXPECT_TRUE(said.contains(QStringLiteral("'5..1'")) && said.contains(QStringLiteral("Within: ")))
      << said.toStdString();
  EXPECT_EQ(dialog.points()->count(), 0);

  VaryDialog none("WRITE 1;\n", "walk.inp");
  EXPECT_FALSE(Button(none, QStringLiteral("Run"))->isEnabled());
  EXPECT_TRUE(none.said()->text().contains(QStringLiteral("VAR line")));
}

// Stop during a long search keeps what was found so far and leaves the
// dialog ready for another run.
TEST(VaryDialogTest, StopKeepsWhatWasFound) {
  VaryDialog dialog("VAR A, B, C;\nOLAT = 48 + A / 60; OLON = 11 + B / 60;\n", "walk.inp");
  dialog.show();
  for (const char* name : {"A", "B", "C"}) {
    QTest::keyClicks(dialog.field(QString::fromLatin1(name)), QStringLiteral("0..199"));
  }
  // Stop is pressed once the search shows its progress.
  QTimer stopper;
  QObject::connect(&stopper, &QTimer::timeout, [&] {
    QPushButton* stop = Button(dialog, QStringLiteral("Stop"));
    if (stop->isVisible() && dialog.said()->text().contains(QStringLiteral("combinations"))) {
      stop->click();
      stopper.stop();
    }
  });
  stopper.start(20);
  QTest::mouseClick(Button(dialog, QStringLiteral("Run")), Qt::LeftButton);
  EXPECT_TRUE(dialog.said()->text().startsWith(QStringLiteral("Stopped after ")))
      << dialog.said()->text().toStdString();
  EXPECT_GT(dialog.points()->count(), 0);
  EXPECT_TRUE(Button(dialog, QStringLiteral("Run"))->isVisible());
}

}  // namespace
}  // namespace orbelin
