#include "window/qt/single_instance.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalSocket>
#include <QThread>

#include "window/qt/main_window.h"

namespace orbelin {

namespace {

// The lock and the socket are named for the window class, as the running
// copy is found by it.
constexpr const char* kName = MainWindow::kWindowClass;
constexpr QByteArrayView kRaise = "raise";
// Followed by the path, percent-encoded so that it is one line.
constexpr QByteArrayView kOpen = "open ";
// A start that holds the lock may not be listening yet.
constexpr int kConnectPatienceMs = 5000;
// How often a file waiting for a dialog to close looks again.
constexpr int kModalRetryMs = 100;

// The key as a short name part: a socket's path has room for 107 bytes.
QString NameFor(const QString& folder, const QString& key) {
  QString name = folder + QLatin1Char('/') + QLatin1String(kName);
  if (!key.isEmpty()) {
    name +=
        QLatin1Char('-') +
        QString::fromLatin1(
            QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha256).toHex().left(16));
  }
  return name;
}

}  // namespace

SingleInstance::SingleInstance(const QString& folder, const QString& key, QObject* parent)
    : QObject(parent),
      socket_path_(NameFor(folder, key)),
      lock_(NameFor(folder, key) + QLatin1String(".lock")) {
  QDir().mkpath(folder);
  // In a folder that others may write, another user could hold the lock and
  // keep our window from ever opening.
  struct stat st;
  private_folder_ = stat(QFile::encodeName(folder).constData(), &st) == 0 &&
                    st.st_uid == getuid() && (st.st_mode & (S_IWGRP | S_IWOTH)) == 0;
  // Only a dead owner makes a lock stale, never its age.
  lock_.setStaleLockTime(0);
  connect(&server_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
      connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
      connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
        while (socket->canReadLine()) {
          const QByteArray line = socket->readLine().chopped(1);
          if (line == kRaise) {
            pending_.push_back({false, {}});
          } else if (line.startsWith(kOpen)) {
            pending_.push_back({true, QByteArray::fromPercentEncoding(line.mid(kOpen.size()))});
          }
        }
        if (!pending_.empty()) retry_.start(0);
      });
    }
  });
  retry_.setSingleShot(true);
  connect(&retry_, &QTimer::timeout, this, &SingleInstance::Deliver);
}

SingleInstance::~SingleInstance() = default;

void SingleInstance::Deliver() {
  while (!pending_.empty()) {
    // The window comes forward at once (the dialog with it); a file waits
    // for the dialog to be answered.
    if (pending_.front().open && QApplication::activeModalWidget() != nullptr) {
      retry_.start(kModalRetryMs);
      return;
    }
    const Request request = pending_.front();
    pending_.pop_front();
    if (request.open) {
      emit OpenRequested(request.file);
    } else {
      emit RaiseRequested();
    }
  }
}

QString SingleInstance::DefaultFolder() {
  QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (!runtime.isEmpty() && QDir(runtime).exists()) return runtime;
  const QString folder = QDir::tempPath() + QStringLiteral("/orbelin-") + QString::number(getuid());
  mkdir(QFile::encodeName(folder).constData(), 0700);
  return folder;
}

bool SingleInstance::Claim(const QByteArray& file) {
  if (!private_folder_) return true;
  if (lock_.tryLock(0)) {
    // A socket file left by a crash would make listen() fail.
    QLocalServer::removeServer(socket_path_);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    server_.listen(socket_path_);
    return true;
  }
  if (lock_.error() != QLockFile::LockFailedError) {
    // No lock can be had here at all; run rather than refuse to start.
    return true;
  }
  AskRunning(file);
  return false;
}

bool SingleInstance::AskRunning(const QByteArray& file) {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < kConnectPatienceMs) {
    QLocalSocket socket;
    socket.connectToServer(socket_path_);
    if (socket.waitForConnected(1000)) {
      QByteArray request = kRaise.toByteArray() + '\n';
      if (!file.isEmpty()) request += kOpen.toByteArray() + file.toPercentEncoding() + '\n';
      socket.write(request);
      bool sent = socket.waitForBytesWritten(1000);
      socket.disconnectFromServer();
      if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(1000);
      return sent;
    }
    QThread::msleep(100);
  }
  return false;
}

}  // namespace orbelin
