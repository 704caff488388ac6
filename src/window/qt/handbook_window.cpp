#include "window/qt/handbook_window.h"

#include <QFontDatabase>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "help/help.h"

namespace orbelin {

namespace {

// What `orbelin help WORDS` prints, both streams, as one text.
std::string HelpText(const std::string& words) {
  char* buffer = nullptr;
  size_t size = 0;
  std::FILE* stream = open_memstream(&buffer, &size);
  if (stream == nullptr) return "";
  std::vector<std::string> args;
  if (!words.empty()) args.push_back(words);
  RunHelpCommand(args, stream, stream);
  std::fclose(stream);
  std::string text(buffer, size);
  std::free(buffer);
  return text;
}

}  // namespace

HandbookWindow::HandbookWindow(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Orbelin Handbook"));
  field_ = new QLineEdit(this);
  field_->setPlaceholderText(QStringLiteral("a keyword, a message (E111) or some words"));
  field_->setClearButtonEnabled(true);
  field_->setAccessibleName(QStringLiteral("Look up"));
  text_ = new QPlainTextEdit(this);
  text_->setReadOnly(true);
  text_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  // The texts are wrapped to 80 columns for a terminal.
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  text_->setAccessibleName(QStringLiteral("Handbook text"));
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("&Look up:"), field_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(text_);
  connect(field_, &QLineEdit::returnPressed, this, [this] { LookUp(field_->text()); });
  const QFontMetrics metrics(text_->font());
  resize(metrics.horizontalAdvance(QLatin1Char('x')) * 86, metrics.height() * 30);
  LookUp(QString());
}

void HandbookWindow::LookUp(const QString& words) {
  field_->setText(words);
  text_->setPlainText(QString::fromStdString(HelpText(words.trimmed().toStdString())));
}

}  // namespace orbelin
