// File > Try values…: runs the script in the box once for every
// combination of values of some of its variables and lists the points that
// pass. The front-end core reads the fields, runs the search on every core
// and words every message; this dialog only shows them.
//
// The search runs on a thread of its own: its progress and its end come
// back as queued signals, so the dialog answers throughout, Stop sets the
// search's stop flag, and closing the dialog (or the window ending) stops
// the search and waits for its thread before anything it uses goes away.
#pragma once

#include <QDialog>
#include <atomic>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "frontend/vary/form.h"
#include "window/platform.h"

class QGridLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace orbelin {

class VaryDialog : public QDialog {
  Q_OBJECT

 public:
  // `box_text` is the script box's text (UTF-8); `name` the script's file
  // name, for the GPX file's name; `remembered` what the fields held when
  // the dialog last closed on this script. Open in map goes through
  // `platform`, as the main window's does.
  VaryDialog(Platform& platform, const std::string& box_text, const std::string& name,
             const VaryForm& remembered = {}, QWidget* parent = nullptr);
  ~VaryDialog() override;

  // The field of a variable of the VAR line or a letter of the final, or of
  // "Final as written", "Digit sum", "Keep only", "Near", "Within", "Show";
  // nullptr for another name.
  QLineEdit* field(const QString& name) const;
  QListWidget* points() const { return points_; }
  QLabel* said() const { return said_; }
  bool running() const { return running_; }

  // What the fields hold now (the values of variables the script no longer
  // declares as they were remembered), to remember for the next opening.
  VaryForm Fields() const;

  // Starts the search; it ends in the background.
  void Run();

 signals:
  // From the search's thread, queued to the dialog's.
  void Progressed(quint64 run, quint64 done, quint64 total, double seconds_left);
  void Finished(quint64 run);

 protected:
  void reject() override;

 private:
  void LayOutVariables();
  void Say(const QString& text, bool error);
  void Running(bool on);
  void ShowProgress(quint64 run, quint64 done, quint64 total, double seconds_left);
  void ShowOutcome(quint64 run);
  void StopSearch();
  void ExportGpx();
  void CopySelected();
  void OpenSelected();

  Platform& platform_;
  std::string source_;
  std::string name_;
  VaryForm remembered_;
  QLineEdit* final_ = nullptr;
  QLineEdit* digit_sum_ = nullptr;
  QGridLayout* grid_ = nullptr;
  std::vector<std::pair<QString, QLineEdit*>> fields_;
  std::vector<QLabel*> labels_;
  QLineEdit* where_ = nullptr;
  QLineEdit* near_ = nullptr;
  QLineEdit* within_ = nullptr;
  QLineEdit* show_ = nullptr;
  QLabel* said_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QListWidget* points_ = nullptr;
  QPushButton* run_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QPushButton* copy_ = nullptr;
  QPushButton* open_ = nullptr;
  QPushButton* gpx_ = nullptr;
  VaryListing listing_;

  // The search: its plan and outcome belong to the thread from Run until
  // Finished arrives (or the thread is joined); `run_count_` tells a late
  // signal of an earlier search from the current one.
  std::optional<VaryPlan> plan_;
  VaryOutcome outcome_;
  std::thread search_;
  std::atomic<bool> stop_{false};
  bool running_ = false;
  quint64 run_count_ = 0;
};

}  // namespace orbelin
