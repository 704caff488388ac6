// Helpers for tests that drive Qt widgets: waiting with events processed, and
// answering the modal dialogs that a command opens.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>

namespace orbelin::testing {

// Processes events until `done` holds or `ms` milliseconds pass.
inline bool WaitUntil(const std::function<bool()>& done, int ms = 5000) {
  QElapsedTimer timer;
  timer.start();
  while (!done()) {
    if (timer.elapsed() > ms) return false;
    QApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return true;
}

// Calls `answer` with the next modal dialog once it is shown; `answer` must
// close it, or the dialog is rejected a little later and the test fails.
inline void AnswerNextModal(std::function<void(QWidget*)> answer) {
  auto* timer = new QTimer(qApp);
  timer->setObjectName(QStringLiteral("orbelin-answer"));
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, answer] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible()) return;
    timer->stop();
    timer->deleteLater();
    answer(modal);
    // A dialog that its answer left open would hang the test: fail instead.
    QPointer<QWidget> left(modal);
    QTimer::singleShot(3000, [left] {
      if (left == nullptr || !left->isVisible()) return;
      ADD_FAILURE() << "a modal dialog stayed open";
      if (auto* dialog = qobject_cast<QDialog*>(left.data()))
        dialog->reject();
      else
        left->close();
    });
  });
  timer->start();
}

// Drops the answers whose dialogs never opened, so that they cannot answer
// a later test's; returns how many there were.
inline int DropUnusedAnswers() {
  int unused = 0;
  for (QTimer* timer : qApp->findChildren<QTimer*>(QStringLiteral("orbelin-answer"))) {
    if (timer->isActive()) ++unused;
    delete timer;
  }
  return unused;
}

// Fails the running test, rather than hang it, when a modal dialog that no
// test answers stays open for five seconds. Runs for the life of the
// application.
inline void GuardAgainstUnansweredModals() {
  auto* timer = new QTimer(qApp);
  auto seen = std::make_shared<QPointer<QWidget>>();
  auto since = std::make_shared<QElapsedTimer>();
  timer->setInterval(100);
  QObject::connect(timer, &QTimer::timeout, [seen, since] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible()) {
      *seen = nullptr;
      return;
    }
    if (*seen != modal) {
      *seen = modal;
      since->start();
      return;
    }
    if (since->elapsed() < 5000) return;
    ADD_FAILURE() << "a modal dialog nobody answered: " << modal->windowTitle().toStdString();
    *seen = nullptr;
    if (auto* dialog = qobject_cast<QDialog*>(modal))
      dialog->reject();
    else
      modal->close();
  });
  timer->start();
}

}  // namespace orbelin::testing
