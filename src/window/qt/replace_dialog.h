// Edit > Replace…: finds a text in the script box and replaces it, one at a
// time or all at once (in one step that one undo takes back). Case does not
// matter, as in Find.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace orbelin {

class ReplaceDialog : public QDialog {
  Q_OBJECT

 public:
  ReplaceDialog(QPlainTextEdit* box, const QString& find, QWidget* parent = nullptr);

  QString find_text() const;
  QLineEdit* find_field() const { return find_; }
  QLineEdit* replace_field() const { return replace_; }
  QLabel* said() const { return said_; }

  // From the caret on, then from the top; false when there is none.
  bool FindNext();
  // The text found and selected is replaced, and the next one is found.
  void ReplaceOne();
  int ReplaceAll();

 private:
  bool Selected() const;

  QPlainTextEdit* box_;
  QLineEdit* find_;
  QLineEdit* replace_;
  QLabel* said_;
};

}  // namespace orbelin
