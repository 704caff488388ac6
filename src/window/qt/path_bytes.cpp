#include "window/qt/path_bytes.h"

#include <dirent.h>
#include <sys/stat.h>

#include <QFile>
#include <QStringList>

namespace orbelin {

namespace {

bool Exists(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0;
}

// The entry of `folder` that Qt shows as `name`, when exactly one is.
std::string EntryShownAs(const std::string& folder, const QString& name) {
  std::string found;
  int count = 0;
  if (DIR* dir = opendir(folder.empty() ? "/" : folder.c_str())) {
    while (const dirent* entry = readdir(dir)) {
      if (QFile::decodeName(entry->d_name) == name) {
        found = entry->d_name;
        ++count;
      }
    }
    closedir(dir);
  }
  return count == 1 ? found : "";
}

}  // namespace

std::string PathBytes(const QString& path) {
  const std::string encoded = QFile::encodeName(path).toStdString();
  if (!path.contains(QChar::ReplacementCharacter) || Exists(encoded)) return encoded;
  const QStringList parts = path.split(QLatin1Char('/'));
  std::string bytes;
  for (qsizetype i = 0; i < parts.size(); ++i) {
    const QString& part = parts[i];
    if (i > 0) bytes += '/';
    if (part.isEmpty()) continue;
    std::string name = QFile::encodeName(part).toStdString();
    if (part.contains(QChar::ReplacementCharacter) && !Exists(bytes + name)) {
      const std::string entry = EntryShownAs(bytes, part);
      if (!entry.empty()) name = entry;
    }
    bytes += name;
  }
  return bytes;
}

QString PathText(const std::string& bytes) {
  return QFile::decodeName(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

}  // namespace orbelin
