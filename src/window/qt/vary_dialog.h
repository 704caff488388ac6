// File > Try values…: runs the script in the box once for every
// combination of values of some of its variables and lists the points that
// pass. The front-end core reads the fields, runs the search on every core
// and words every message; this dialog only shows them.
#pragma once

#include <QDialog>
#include <atomic>
#include <string>
#include <vector>

#include "frontend/vary/form.h"

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
  // name, for the GPX file's name.
  VaryDialog(const std::string& box_text, const std::string& name, QWidget* parent = nullptr);

  // The field of a variable of the VAR line, or of "Keep only", "Near",
  // "Within", "Show"; nullptr for another name.
  QLineEdit* field(const QString& name) const;
  QListWidget* points() const { return points_; }
  QLabel* said() const { return said_; }

  void Run();

 protected:
  void reject() override;

 private:
  void Say(const QString& text, bool error);
  void Running(bool on);
  void ExportGpx();
  void CopySelected();
  void OpenSelected();

  std::string source_;
  std::string name_;
  std::vector<std::pair<QString, QLineEdit*>> fields_;
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
  std::atomic<bool> stop_{false};
  bool running_ = false;
  VaryListing listing_;
};

}  // namespace orbelin
