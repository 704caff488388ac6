#include "window/qt/message_box.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>

namespace orbelin {

namespace {

constexpr char16_t kWrapHint = u'\u200B';

}  // namespace

QString Wrappable(const std::string& text) {
  QString shown = QString::fromStdString(text);
  shown.replace(QLatin1Char('/'), QStringLiteral("/") + QChar(kWrapHint));
  return shown;
}

void PrepareMessage(QMessageBox& box) {
  box.setTextFormat(Qt::PlainText);
  // Paths and links in a message may be copied from it.
  box.setTextInteractionFlags(Qt::TextSelectableByMouse);
  // The label copies what it shows: the wrap hints come out again while the
  // box is open (the clipboard and, on X11, the selection).
  QClipboard* clipboard = QGuiApplication::clipboard();
  QObject::connect(clipboard, &QClipboard::changed, &box, [clipboard](QClipboard::Mode mode) {
    QString text = clipboard->text(mode);
    if (!text.contains(QChar(kWrapHint))) return;
    text.remove(QChar(kWrapHint));
    clipboard->setText(text, mode);
  });
}

}  // namespace orbelin
