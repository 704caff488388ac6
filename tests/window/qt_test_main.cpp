// Runs the Qt adapter's tests on the offscreen platform, so they need no
// display.
#include <gtest/gtest.h>

#include <QApplication>
#include <clocale>

#include "qt_test_support.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  orbelin::testing::GuardAgainstUnansweredModals();
  return RUN_ALL_TESTS();
}
