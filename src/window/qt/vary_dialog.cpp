#include "window/qt/vary_dialog.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <thread>

#include "frontend/output_plan.h"
#include "frontend/point.h"
#include "frontend/script_bytes.h"
#include "frontend/script_names.h"
#include "frontend/vary/runner.h"
#include "window/open_in_map.h"

namespace orbelin {

namespace {

QString Text(const std::string& utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QLineEdit* Field(const char* placeholder, QWidget* parent) {
  auto* field = new QLineEdit(parent);
  field->setPlaceholderText(QString::fromUtf8(placeholder));
  return field;
}

}  // namespace

VaryDialog::VaryDialog(Platform& platform, const std::string& box_text, const std::string& name,
                       const VaryForm& remembered, QWidget* parent)
    : QDialog(parent),
      platform_(platform),
      source_(ScriptFileFromBoxText(box_text)),
      name_(name),
      remembered_(remembered) {
  setWindowTitle(QStringLiteral("Try values"));
  auto* layout = new QVBoxLayout(this);

  // The final as the cache page writes it, with its digit sum; its
  // letters join the script's variables below.
  auto* top = new QFormLayout;
  final_ = Field("N 48\xC2\xB0 1A.BCD E 011\xC2\xB0 3E.FGH", this);
  final_->setText(Text(remembered_.final_pattern));
  digit_sum_ = Field("41", this);
  digit_sum_->setText(Text(remembered_.digit_sum));
  top->addRow(QStringLiteral("&Final as written"), final_);
  top->addRow(QStringLiteral("&Digit sum"), digit_sum_);
  layout->addLayout(top);
  grid_ = new QGridLayout;
  layout->addLayout(grid_);
  connect(final_, &QLineEdit::textChanged, this, &VaryDialog::LayOutVariables);

  auto* form = new QFormLayout;
  where_ = Field("CHK=41; D=0..5", this);
  near_ = Field("N 48\xC2\xB0 12.345 E 011\xC2\xB0 30.500", this);
  within_ = Field("3.2km, 2mi", this);
  show_ = Field("CHK, LAT", this);
  form->addRow(QStringLiteral("Keep only"), where_);
  form->addRow(QStringLiteral("Near"), near_);
  form->addRow(QStringLiteral("Within"), within_);
  form->addRow(QStringLiteral("Show"), show_);
  where_->setText(Text(remembered_.where));
  near_->setText(Text(remembered_.near));
  within_->setText(Text(remembered_.within));
  show_->setText(Text(remembered_.show));
  layout->addLayout(form);

  progress_ = new QProgressBar(this);
  progress_->hide();
  layout->addWidget(progress_);
  said_ = new QLabel(this);
  said_->setWordWrap(true);
  said_->setTextFormat(Qt::PlainText);
  said_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(said_);
  points_ = new QListWidget(this);
  points_->setMinimumHeight(120);
  layout->addWidget(points_, 1);

  auto* buttons = new QDialogButtonBox(this);
  run_ = buttons->addButton(QStringLiteral("&Run"), QDialogButtonBox::ActionRole);
  cancel_ = buttons->addButton(QStringLiteral("&Stop"), QDialogButtonBox::ActionRole);
  copy_ = buttons->addButton(QStringLiteral("&Copy coordinates"), QDialogButtonBox::ActionRole);
  open_ = buttons->addButton(QStringLiteral("Open in &map"), QDialogButtonBox::ActionRole);
  gpx_ = buttons->addButton(QStringLiteral("&Export as GPX…"), QDialogButtonBox::ActionRole);
  buttons->addButton(QDialogButtonBox::Close);
  layout->addWidget(buttons);
  run_->setDefault(true);
  cancel_->hide();
  copy_->setEnabled(false);
  open_->setEnabled(false);
  gpx_->setEnabled(false);
  connect(run_, &QPushButton::clicked, this, &VaryDialog::Run);
  connect(cancel_, &QPushButton::clicked, this, [this] { stop_ = true; });
  // The search's thread signals; the dialog's thread shows.
  connect(this, &VaryDialog::Progressed, this, &VaryDialog::ShowProgress, Qt::QueuedConnection);
  connect(this, &VaryDialog::Finished, this, &VaryDialog::ShowOutcome, Qt::QueuedConnection);
  connect(copy_, &QPushButton::clicked, this, &VaryDialog::CopySelected);
  connect(open_, &QPushButton::clicked, this, &VaryDialog::OpenSelected);
  connect(gpx_, &QPushButton::clicked, this, &VaryDialog::ExportGpx);
  connect(buttons, &QDialogButtonBox::rejected, this, &VaryDialog::reject);
  connect(points_, &QListWidget::currentRowChanged, this, [this](int row) {
    const bool point = row >= 0 && static_cast<size_t>(row) < listing_.points.size() &&
                       listing_.points[static_cast<size_t>(row)].has_point;
    copy_->setEnabled(point);
    open_->setEnabled(point);
  });
  connect(points_, &QListWidget::itemActivated, this, [this] { CopySelected(); });

  LayOutVariables();
  resize(480, 600);
}

// A field per variable, two to a row: the script's, then the final's
// letters. What was typed for a letter that goes stays for when it comes
// back.
void VaryDialog::LayOutVariables() {
  const std::vector<std::string> names = FormVariables(source_, final_->text().toStdString());
  std::vector<QString> wanted;
  for (const std::string& n : names) wanted.push_back(Text(n));
  std::vector<QString> shown;
  for (const auto& [n, edit] : fields_) shown.push_back(n);
  const bool changed = wanted != shown || fields_.empty();
  if (changed) {
    remembered_ = Fields();
    for (const auto& [n, edit] : fields_) {
      delete edit;
    }
    for (QLabel* label : labels_) delete label;
    labels_.clear();
    fields_.clear();
    QWidget* previous = digit_sum_;
    for (size_t i = 0; i < names.size(); ++i) {
      const QString n = wanted[i];
      auto* edit = Field("0..9", this);
      edit->setObjectName(n);
      for (const auto& [tried, values] : remembered_.values) {
        if (tried == names[i]) edit->setText(Text(values));
      }
      edit->setEnabled(!running_);
      auto* label = new QLabel(n, this);
      label->setBuddy(edit);
      const int row = static_cast<int>(i / 2), column = static_cast<int>(i % 2) * 2;
      grid_->addWidget(label, row, column);
      grid_->addWidget(edit, row, column + 1);
      setTabOrder(previous, edit);
      previous = edit;
      labels_.push_back(label);
      fields_.emplace_back(n, edit);
    }
    setTabOrder(previous, where_);
  }
  run_->setEnabled(!names.empty());
  // What the last search said stays until the fields change.
  if (running_ || !changed) return;
  if (names.empty()) {
    Say(QStringLiteral("Nothing to try yet: write the final as the cache page gives it, as "
                       "N 48\u00B0 1A.BCD E 011\u00B0 3E.FGH, or declare the script's unknowns "
                       "in its VAR line (VAR A, B;)."),
        false);
  } else {
    Say(QStringLiteral("Type the values to try for the unknown letters: 0..9, a list 1,3,5, "
                       "or a step 0..90/5."),
        false);
  }
}

QLineEdit* VaryDialog::field(const QString& name) const {
  for (const auto& [n, edit] : fields_) {
    if (n == name) return edit;
  }
  if (name == QStringLiteral("Keep only")) return where_;
  if (name == QStringLiteral("Near")) return near_;
  if (name == QStringLiteral("Within")) return within_;
  if (name == QStringLiteral("Show")) return show_;
  if (name == QStringLiteral("Final as written")) return final_;
  if (name == QStringLiteral("Digit sum")) return digit_sum_;
  return nullptr;
}

void VaryDialog::Say(const QString& text, bool error) {
  said_->setText(text);
  said_->setStyleSheet(error ? QStringLiteral("color: #b00000;") : QString());
}

void VaryDialog::Running(bool on) {
  running_ = on;
  run_->setVisible(!on);
  cancel_->setVisible(on);
  progress_->setVisible(on);
  for (const auto& [n, edit] : fields_) edit->setEnabled(!on);
  for (QLineEdit* edit : {final_, digit_sum_, where_, near_, within_, show_}) {
    edit->setEnabled(!on);
  }
}

VaryForm VaryDialog::Fields() const {
  VaryForm form = remembered_;
  form.source.clear();
  for (const auto& [n, edit] : fields_) {
    const std::string name = n.toStdString(), values = edit->text().toStdString();
    bool found = false;
    for (auto& [tried, typed] : form.values) {
      if (tried == name) {
        typed = values;
        found = true;
      }
    }
    if (!found) form.values.emplace_back(name, values);
  }
  form.where = where_->text().toStdString();
  form.near = near_->text().toStdString();
  form.within = within_->text().toStdString();
  form.show = show_->text().toStdString();
  form.final_pattern = final_->text().toStdString();
  form.digit_sum = digit_sum_->text().toStdString();
  return form;
}

void VaryDialog::Run() {
  if (running_) return;
  VaryForm form = Fields();
  form.source = source_;
  // Only the variables of the script and the final now are tried.
  std::erase_if(form.values, [this](const auto& v) {
    return std::none_of(fields_.begin(), fields_.end(),
                        [&](const auto& f) { return f.first.toStdString() == v.first; });
  });
  points_->clear();
  listing_ = {};
  gpx_->setEnabled(false);
  copy_->setEnabled(false);
  open_->setEnabled(false);
  VaryPlanning planning = PlanVaryForm(form);
  if (!planning.plan) {
    QStringList errors;
    for (const std::string& e : planning.errors) errors << Text(e);
    Say(errors.join(QLatin1Char('\n')), true);
    return;
  }
  plan_ = std::move(planning.plan);
  stop_ = false;
  Running(true);
  Say(QStringLiteral("Starting…"), false);
  progress_->setMaximum(1000);
  progress_->setValue(0);
  const quint64 run = ++run_count_;
  search_ = std::thread([this, run] {
    VaryControl control;
    control.workers = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    control.stop = &stop_;
    control.progress = [this, run](const VaryProgress& p) {
      emit Progressed(run, p.done, p.total, p.SecondsLeft());
      return true;
    };
    outcome_ = RunVary(*plan_, control);
    emit Finished(run);
  });
}

void VaryDialog::ShowProgress(quint64 run, quint64 done, quint64 total, double seconds_left) {
  if (run != run_count_ || !running_) return;
  progress_->setValue(total == 0 ? 1000 : static_cast<int>(1000 * done / total));
  QString text =
      QStringLiteral("%1 of %2 combinations").arg(Text(CountText(done)), Text(CountText(total)));
  if (seconds_left >= 1) {
    text += QStringLiteral(", about %1 s left").arg(static_cast<long long>(seconds_left + 0.5));
  }
  Say(text, false);
}

void VaryDialog::ShowOutcome(quint64 run) {
  if (run != run_count_ || !running_) return;
  search_.join();
  listing_ = ListVaryOutcome(*plan_, outcome_);
  Running(false);
  for (const VaryListedPoint& p : listing_.points) {
    QStringList parts;
    for (const std::string* s : {&p.values, &p.position, &p.distance, &p.shown, &p.first_line}) {
      if (!s->empty()) parts << Text(*s);
    }
    if (!p.has_point) parts.insert(1, QStringLiteral("no point"));
    points_->addItem(parts.join(QStringLiteral("  \u00B7  ")));
  }
  const bool any_point = std::any_of(listing_.points.begin(), listing_.points.end(),
                                     [](const VaryListedPoint& p) { return p.has_point; });
  gpx_->setEnabled(any_point);
  // The first is the best guess (the nearest, with a reference point): it
  // is chosen, ready to copy or open, and the list has the keyboard.
  if (points_->count() > 0) {
    points_->setCurrentRow(0);
    points_->setFocus();
  }
  Say(Text(listing_.summary).trimmed(), false);
}

// Stops a search that runs and waits for its thread: it reads the plan and
// writes the outcome, which live as long as the dialog.
void VaryDialog::StopSearch() {
  stop_ = true;
  if (search_.joinable()) search_.join();
  if (running_) Running(false);
}

void VaryDialog::reject() {
  // Closing while the search runs stops it; what it found is not shown.
  StopSearch();
  QDialog::reject();
}

VaryDialog::~VaryDialog() {
  StopSearch();
}

void VaryDialog::CopySelected() {
  const int row = points_->currentRow();
  if (row < 0 || static_cast<size_t>(row) >= listing_.points.size()) return;
  const VaryListedPoint& p = listing_.points[static_cast<size_t>(row)];
  if (!p.has_point) return;
  QApplication::clipboard()->setText(Text(p.position));
  Say(QStringLiteral("Copied %1 (%2).").arg(Text(p.position), Text(p.values)), false);
}

void VaryDialog::OpenSelected() {
  const int row = points_->currentRow();
  if (row < 0 || static_cast<size_t>(row) >= listing_.points.size()) return;
  const VaryListedPoint& p = listing_.points[static_cast<size_t>(row)];
  if (!p.has_point) return;
  OpenPointInMap(platform_, p.lat, p.lon);
}

void VaryDialog::ExportGpx() {
  const std::string stem = Stem(name_);
  const QString suggested = Text((stem.empty() ? std::string("orbelin") : stem) + "-values.gpx");
  const QString path =
      QFileDialog::getSaveFileName(this, QStringLiteral("Export the points as GPX"), suggested,
                                   QStringLiteral("GPX files (*.gpx)"));
  if (path.isEmpty()) return;
  // Not over the script, and not through a link.
  OutputPlan plan;
  plan.Reads(name_);
  plan.Writes(path.toStdString(), OutputKind::kGpx);
  if (const std::vector<std::string> refusals = plan.Refusals(); !refusals.empty()) {
    Say(Text(OneParagraph(refusals) + " Nothing was written."), true);
    return;
  }
  if (const std::error_code e = WriteOutputFile(path.toStdString(), listing_.gpx, true); e) {
    Say(QStringLiteral("Can not write %1: %2.").arg(path, Text(e.message())), true);
    return;
  }
  Say(QStringLiteral("Wrote %1.").arg(path), false);
}

}  // namespace orbelin
