#include "window/qt/replace_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

namespace orbelin {

ReplaceDialog::ReplaceDialog(QPlainTextEdit* box, const QString& find, QWidget* parent)
    : QDialog(parent), box_(box) {
  setWindowTitle(QStringLiteral("Replace"));
  find_ = new QLineEdit(find, this);
  replace_ = new QLineEdit(this);
  said_ = new QLabel(this);
  said_->setTextFormat(Qt::PlainText);
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("&Find:"), find_);
  form->addRow(QStringLiteral("Replace &with:"), replace_);
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* next =
      buttons->addButton(QStringLiteral("Find &next"), QDialogButtonBox::ActionRole);
  QPushButton* one = buttons->addButton(QStringLiteral("&Replace"), QDialogButtonBox::ActionRole);
  QPushButton* all =
      buttons->addButton(QStringLiteral("Replace &all"), QDialogButtonBox::ActionRole);
  buttons->addButton(QStringLiteral("&Close"), QDialogButtonBox::RejectRole);
  next->setDefault(true);
  connect(next, &QPushButton::clicked, this, [this] { FindNext(); });
  connect(one, &QPushButton::clicked, this, &ReplaceDialog::ReplaceOne);
  connect(all, &QPushButton::clicked, this, [this] { ReplaceAll(); });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(said_);
  layout->addWidget(buttons);
  find_->selectAll();
}

QString ReplaceDialog::find_text() const {
  return find_->text();
}

bool ReplaceDialog::Selected() const {
  return !find_->text().isEmpty() &&
         box_->textCursor().selectedText().compare(find_->text(), Qt::CaseInsensitive) == 0;
}

bool ReplaceDialog::FindNext() {
  said_->clear();
  const QString text = find_->text();
  if (text.isEmpty()) return false;
  if (box_->find(text)) return true;
  const QTextCursor at = box_->textCursor();
  box_->moveCursor(QTextCursor::Start);
  if (box_->find(text)) return true;
  box_->setTextCursor(at);
  said_->setText(QStringLiteral("Not found: ") + text);
  return false;
}

void ReplaceDialog::ReplaceOne() {
  if (Selected()) box_->textCursor().insertText(replace_->text());
  FindNext();
}

int ReplaceDialog::ReplaceAll() {
  const QString text = find_->text();
  if (text.isEmpty()) return 0;
  QTextDocument* doc = box_->document();
  QTextCursor edit(doc);
  int count = 0;
  edit.beginEditBlock();
  for (QTextCursor found = doc->find(text, 0); !found.isNull(); found = doc->find(text, found)) {
    found.insertText(replace_->text());
    ++count;
  }
  edit.endEditBlock();
  said_->setText(count == 0 ? QStringLiteral("Not found: ") + text
                            : QStringLiteral("%1 replaced.").arg(count));
  return count;
}

}  // namespace orbelin
