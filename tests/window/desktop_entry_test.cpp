// What `cmake --install` gives the desktop: a menu entry that the desktop's
// own tools accept, the icon in the theme's sizes, and the file type that
// makes the file manager open .inp files in the window.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "child_process.h"
#include "test_files.h"

namespace orbelin {
namespace {

namespace fs = std::filesystem;
using testing::FindOnPath;
using testing::ReadBytes;
using testing::TempFolder;

// Width and height from a PNG file's header, or 0 by 0.
std::pair<int, int> PngSize(const std::string& bytes) {
  if (bytes.size() < 24 || bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0) return {0, 0};
  const auto at = [&](size_t i) {
    int value = 0;
    for (size_t k = 0; k < 4; ++k) value = value << 8 | static_cast<unsigned char>(bytes[i + k]);
    return value;
  };
  return {at(16), at(20)};
}

int Quietly(const std::string& command) {
  return std::system((command + " >/dev/null 2>&1").c_str());
}

TEST(DesktopEntry, InstalledWithTheProgram) {
  TempFolder tmp;
  const std::string prefix = tmp / "prefix";
  ASSERT_EQ(Quietly("cmake --install " ORBELIN_BINARY_DIR " --prefix " + prefix), 0);
  const std::string share = prefix + "/share";
  const std::string entry = share + "/applications/orbelin.desktop";

  const std::string text = ReadBytes(entry);
  EXPECT_NE(text.find("\nExec=orbelin-window %f\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\nIcon=orbelin\n"), std::string::npos);
  EXPECT_NE(text.find("\nStartupWMClass=OrbelinClass\n"), std::string::npos);
  EXPECT_TRUE(fs::exists(prefix + "/bin/orbelin-window"));
  for (int size : {16, 32, 48, 256}) {
    const std::string icon = share + "/icons/hicolor/" + std::to_string(size) + "x" +
                             std::to_string(size) + "/apps/orbelin.png";
    EXPECT_EQ(PngSize(ReadBytes(icon)), std::make_pair(size, size)) << icon;
  }

  const std::string validate = FindOnPath("desktop-file-validate");
  if (validate.empty() || FindOnPath("update-mime-database").empty() ||
      FindOnPath("update-desktop-database").empty() || FindOnPath("xdg-mime").empty()) {
    GTEST_SKIP() << "needs desktop-file-utils, shared-mime-info and xdg-utils to check the entry";
  }
  EXPECT_EQ(std::system((validate + " " + entry).c_str()), 0);
  // The install rebuilt the desktop's own indexes: .inp is an Orbelin
  // script, which Orbelin opens.
  EXPECT_NE(ReadBytes(share + "/mime/globs2").find(":text/x-orbelin-script:*.inp\n"),
            std::string::npos);
  EXPECT_NE(ReadBytes(share + "/applications/mimeinfo.cache")
                .find("\ntext/x-orbelin-script=orbelin.desktop;\n"),
            std::string::npos);

  // As a desktop asks for a saved script's type (closing NUL and all).
  const std::string gio = FindOnPath("gio");
  if (gio.empty()) GTEST_SKIP() << "needs gio (libglib2.0-bin) to ask for the file type";
  const std::string script = tmp / "saved.inp";
  testing::WriteBytes(script, std::string("WRITE 1;\r\nWRITE 2;\0", 19));
  const std::string answer = tmp / "type";
  ASSERT_EQ(std::system(("XDG_CURRENT_DESKTOP=GNOME XDG_DATA_DIRS=" + share +
                         ":/usr/share xdg-mime query filetype " + script + " >" + answer)
                            .c_str()),
            0);
  EXPECT_EQ(ReadBytes(answer), "text/x-orbelin-script\n");
}

}  // namespace
}  // namespace orbelin
