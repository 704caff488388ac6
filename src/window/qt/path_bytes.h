// A file's path as Linux names it: bytes, which need not be UTF-8. Qt holds
// paths as text and shows a byte that is no part of UTF-8 as U+FFFD, after
// which it cannot open the file again; these functions keep the bytes.
#pragma once

#include <QString>
#include <string>

namespace orbelin {

// The bytes of a path that Qt gives as text (a file dialog's choice): where
// the text has U+FFFD, the name is found again on disk, one folder at a
// time, among the names that Qt shows as that text.
std::string PathBytes(const QString& path);

// A path as text for Qt (a dialog's start folder, a label).
QString PathText(const std::string& bytes);

}  // namespace orbelin
