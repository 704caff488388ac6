// Help > Handbook (F1): the handbook's reference, messages and topics, as
// `orbelin help` prints them, in a window beside the script. A keyword, a
// topic or a message number shows its entry; other words are looked for in
// the handbook's texts.
#pragma once

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;

namespace orbelin {

class HandbookWindow : public QDialog {
  Q_OBJECT

 public:
  explicit HandbookWindow(QWidget* parent = nullptr);

  // Shows what the handbook says for `words`; the index for none.
  void LookUp(const QString& words);

  QLineEdit* field() const { return field_; }
  QPlainTextEdit* text() const { return text_; }

 private:
  QLineEdit* field_;
  QPlainTextEdit* text_;
};

}  // namespace orbelin
