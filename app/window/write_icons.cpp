// Writes Orbelin's icon as the PNG files of the desktop's icon theme, for
// the build to install:
//
//   orbelin-write-icons FOLDER SIZE...
//
// gives FOLDER/hicolor/SIZExSIZE/apps/orbelin.png for each size.
#include <QDir>
#include <QString>
#include <cstdio>
#include <cstdlib>

#include "window/qt/app_icon.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: orbelin-write-icons FOLDER SIZE...\n");
    return 2;
  }
  for (int i = 2; i < argc; ++i) {
    const int size = std::atoi(argv[i]);
    const QString folder =
        QString::fromLocal8Bit(argv[1]) + QStringLiteral("/hicolor/%1x%1/apps").arg(size);
    if (size <= 0 || !QDir().mkpath(folder) ||
        !orbelin::DrawAppIcon(size).save(folder + QStringLiteral("/orbelin.png"))) {
      std::fprintf(stderr, "orbelin-write-icons: cannot write the %s pixel icon\n", argv[i]);
      return 1;
    }
  }
  return 0;
}
