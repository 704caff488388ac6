// The window's message boxes: plain text that can be selected and copied,
// and long paths that wrap.
#pragma once

#include <QString>
#include <string>

class QMessageBox;

namespace orbelin {

// The text to show: a zero-width space after each '/' lets a long path,
// which has no blank to wrap at, wrap there rather than make the box as
// wide as the screen.
QString Wrappable(const std::string& text);

// Plain text, selectable with the mouse; what is copied from it has no
// zero-width spaces (a path copied is the path).
void PrepareMessage(QMessageBox& box);

}  // namespace orbelin
