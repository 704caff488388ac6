// One window per user, home folder and display: the first start holds a
// lock file and listens on a local socket beside it; a later start finds the lock taken, asks the
// first through the socket to come to the front (and to open the script file it was given), and
// ends. A lock left by a crashed start is recognised (its process is gone) and taken over.
//
// Requests are handed on from the event loop, never from inside the
// socket's own signal: opening a file may show a dialog, whose event loop
// may free the socket. While any dialog is open they wait, so that a file
// never lands in the middle of a question the user is answering.
#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <QTimer>
#include <deque>

namespace orbelin {

class SingleInstance : public QObject {
  Q_OBJECT

 public:
  // The lock and the socket are named after the window class in `folder`,
  // and after `key` (the home folder and the display) when there is one: a
  // start with another home folder, or on another display, is a window of
  // its own.
  explicit SingleInstance(const QString& folder, const QString& key = QString(),
                          QObject* parent = nullptr);
  ~SingleInstance() override;

  // True when this is the only start; false when another one runs (it has
  // been asked to come to the front, and to open `file` when one is given:
  // the path's bytes, which need not be UTF-8). Also true, without any
  // guard, when the folder is not the user's own.
  bool Claim(const QByteArray& file = QByteArray());

  // Where the lock and the socket go when nothing else is said: the user's
  // runtime folder, else a folder of the user's own in the temporary folder.
  static QString DefaultFolder();

 signals:
  void RaiseRequested();
  // A later start was given a script file to open (the path's bytes).
  void OpenRequested(const QByteArray& file);

 private:
  bool AskRunning(const QByteArray& file);
  void Deliver();

  struct Request {
    bool open = false;
    QByteArray file;
  };
  std::deque<Request> pending_;
  QTimer retry_;

  bool private_folder_ = false;
  QString socket_path_;
  QLockFile lock_;
  QLocalServer server_;
};

}  // namespace orbelin
