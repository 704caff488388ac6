// The system's way of ending the program (SIGTERM at logout or shutdown,
// SIGHUP, SIGINT) as a Qt signal on the main thread, read from a signalfd so
// that no handler runs in signal context.
#pragma once

#include <QObject>

class QSocketNotifier;

namespace orbelin {

class EndSignals : public QObject {
  Q_OBJECT

 public:
  // Blocks the signals in the calling thread and every thread it starts
  // later; call it first in main(), before Qt starts threads.
  static void Block();

  explicit EndSignals(QObject* parent = nullptr);
  ~EndSignals() override;

 signals:
  void Received(int signal_number);

 private:
  int fd_ = -1;
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace orbelin
