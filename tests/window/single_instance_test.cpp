#include "window/qt/single_instance.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>

#include <QDialog>
#include <QLockFile>
#include <QSignalSpy>
#include <QTimer>

#include "qt_test_support.h"
#include "test_files.h"

namespace orbelin {
namespace {

using testing::TempFolder;
using testing::WaitUntil;

TEST(SingleInstance, LaterStartAsksTheFirstToComeForward) {
  TempFolder run;
  const QString folder = QString::fromStdString(run / "");
  SingleInstance first(folder);
  ASSERT_TRUE(first.Claim());
  QSignalSpy raised(&first, &SingleInstance::RaiseRequested);

  SingleInstance second(folder);
  EXPECT_FALSE(second.Claim());
  EXPECT_TRUE(WaitUntil([&] { return raised.count() == 1; }));

  // A file given to a later start (from the desktop's file manager) opens
  // in the first; any path, newline and all, and bytes that are not UTF-8.
  QSignalSpy opened(&first, &SingleInstance::OpenRequested);
  const QByteArray path("/tmp/a b/\xC3\xA4%\nm\xFCnchen.inp");
  SingleInstance third(folder);
  EXPECT_FALSE(third.Claim(path));
  EXPECT_TRUE(WaitUntil([&] { return opened.count() == 1; }));
  EXPECT_EQ(raised.count(), 2);
  EXPECT_EQ(opened.value(0).value(0).toByteArray(), path);
}

// Opening a file may ask a question first. The later start hangs up while
// the question's dialog runs its own event loop, which frees that socket:
// nothing of it may be used once the dialog is answered. A file that comes
// while a dialog is open waits for it, then opens.
TEST(SingleInstance, FileArrivingDuringADialogWaitsAndOutlivesTheSocket) {
  TempFolder run;
  const QString folder = QString::fromStdString(run / "");
  SingleInstance first(folder);
  ASSERT_TRUE(first.Claim());
  SingleInstance third(folder);
  QList<QByteArray> opened;
  int opened_while_asking = -1;
  QObject::connect(&first, &SingleInstance::OpenRequested, [&](const QByteArray& file) {
    opened << file;
    if (opened.size() != 1) return;
    QDialog question;
    QTimer::singleShot(100, [&] { EXPECT_FALSE(third.Claim("/tmp/two.inp")); });
    QTimer::singleShot(800, &question, [&] {
      opened_while_asking = static_cast<int>(opened.size());
      question.reject();
    });
    question.exec();
  });

  SingleInstance second(folder);
  EXPECT_FALSE(second.Claim("/tmp/one.inp"));
  EXPECT_TRUE(WaitUntil([&] { return opened.size() == 2; }));
  EXPECT_EQ(opened_while_asking, 1);
  EXPECT_EQ(opened, QList<QByteArray>({"/tmp/one.inp", "/tmp/two.inp"}));
}

// Another home folder or another display is a window of its own; the same
// pair finds the first.
TEST(SingleInstance, OneWindowPerHomeFolderAndDisplay) {
  TempFolder run;
  const QString folder = QString::fromStdString(run / "");
  SingleInstance first(folder, QStringLiteral(":0\n/home/u/a/"));
  ASSERT_TRUE(first.Claim());
  SingleInstance other_home(folder, QStringLiteral(":0\n/home/u/b/"));
  EXPECT_TRUE(other_home.Claim());
  SingleInstance other_display(folder, QStringLiteral(":1\n/home/u/a/"));
  EXPECT_TRUE(other_display.Claim());
  QSignalSpy raised(&first, &SingleInstance::RaiseRequested);
  SingleInstance same(folder, QStringLiteral(":0\n/home/u/a/"));
  EXPECT_FALSE(same.Claim());
  EXPECT_TRUE(WaitUntil([&] { return raised.count() == 1; }));
}

TEST(SingleInstance, LockOfACrashedStartDoesNotBlock) {
  TempFolder run;
  const std::string lock = run / "OrbelinClass.lock";
  const std::string socket_path = run / "OrbelinClass";
  // A start that dies without cleaning up leaves its lock and its socket.
  pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    QLockFile crashed(QString::fromStdString(lock));
    crashed.tryLock(0);
    int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", socket_path.c_str());
    bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    _exit(0);
  }
  waitpid(pid, nullptr, 0);
  ASSERT_TRUE(std::filesystem::exists(lock));
  ASSERT_TRUE(std::filesystem::exists(socket_path));

  SingleInstance next(QString::fromStdString(run / ""));
  EXPECT_TRUE(next.Claim());
  QSignalSpy raised(&next, &SingleInstance::RaiseRequested);
  SingleInstance after(QString::fromStdString(run / ""));
  EXPECT_FALSE(after.Claim());
  EXPECT_TRUE(WaitUntil([&] { return raised.count() == 1; }));
}

}  // namespace
}  // namespace orbelin
