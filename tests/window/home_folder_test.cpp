#include "window/home_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "test_files.h"

namespace orbelin {
namespace {

using testing::FileCount;
using testing::ReadBytes;
using testing::RunUnprivileged;
using testing::TempFolder;
using testing::WriteBytes;

TEST(ResolveHomeFolder, FirstSourceThatIsGiven) {
  struct Case {
    HomeFolderSources sources;
    std::string folder;
  } cases[] = {
      {{"/opt/o", "/e/o", "/x", "/home/u"}, "/opt/o/"},
      {{"", "/e/o/", "/x", "/home/u"}, "/e/o/"},
      {{"", "", "/x/data", "/home/u"}, "/x/data/orbelin/"},
      {{"", "", "relative", "/home/u"}, "/home/u/.local/share/orbelin/"},
      {{"", "", "", "/home/u"}, "/home/u/.local/share/orbelin/"},
      {{"", "", "", ""}, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(ResolveHomeFolder(c.sources), c.folder);
}

TEST(ResolveHomeFolder, RelativeOptionBecomesAbsolute) {
  std::string folder = ResolveHomeFolder({"some/dir", "", "", ""});
  EXPECT_EQ(folder, (std::filesystem::current_path() / "some/dir/").string());
}

TEST(PrepareHomeFolder, NewFolderGetsCopiesOfTheExamples) {
  TempFolder tmp;
  std::filesystem::create_directory(tmp / "examples");
  WriteBytes(tmp / "examples/walk.inp", "VAR A;");
  WriteBytes(tmp / "examples/UPPER.INP", "VAR B;");
  WriteBytes(tmp / "examples/walk.res.expected", "x");
  ASSERT_FALSE(PrepareHomeFolder(tmp / "home/orbelin/", tmp / "examples"));
  EXPECT_EQ(FileCount(tmp / "home/orbelin"), 2);
  EXPECT_EQ(ReadBytes(tmp / "home/orbelin/walk.inp"), "VAR A;");
  EXPECT_EQ(ReadBytes(tmp / "home/orbelin/UPPER.INP"), "VAR B;");
}

TEST(PrepareHomeFolder, ExistingFolderIsLeftAlone) {
  TempFolder tmp;
  std::filesystem::create_directory(tmp / "examples");
  WriteBytes(tmp / "examples/walk.inp", "new");
  std::filesystem::create_directory(tmp / "home");
  WriteBytes(tmp / "home/walk.inp", "the user's own");
  ASSERT_FALSE(PrepareHomeFolder(tmp / "home/", tmp / "examples"));
  EXPECT_EQ(ReadBytes(tmp / "home/walk.inp"), "the user's own");
}

TEST(PrepareHomeFolder, FailsWhereNoFolderCanBe) {
  TempFolder tmp;
  WriteBytes(tmp / "file", "x");
  // The reason goes into the window's message.
  EXPECT_EQ(PrepareHomeFolder(tmp / "file/", ""), std::errc::not_a_directory);
  EXPECT_EQ(PrepareHomeFolder(tmp / "file/sub/", ""), std::errc::not_a_directory);
  EXPECT_EQ(PrepareHomeFolder("", ""), std::errc::no_such_file_or_directory);
  EXPECT_EQ(PrepareHomeFolder(tmp / "no-examples/", tmp / "missing"), std::error_code());
  // One that exists but may not be written takes no Orbelin.def and no
  // recovery copy.
  std::filesystem::create_directory(tmp / "read-only");
  chmod((tmp / "read-only").c_str(), 0555);
  EXPECT_TRUE(RunUnprivileged(
      [&] { return PrepareHomeFolder(tmp / "read-only/", "") == std::errc::permission_denied; }));
}

TEST(FindExamplesFolder, BesideTheProgramOrInstalled) {
  TempFolder tmp;
  EXPECT_EQ(FindExamplesFolder(tmp / "bin"), "");
  std::filesystem::create_directories(tmp / "share/orbelin/examples");
  std::filesystem::create_directories(tmp / "bin");
  EXPECT_EQ(FindExamplesFolder(tmp / "bin"), tmp / "share/orbelin/examples");
  std::filesystem::create_directories(tmp / "bin/examples");
  EXPECT_EQ(FindExamplesFolder(tmp / "bin"), tmp / "bin/examples");
}

}  // namespace
}  // namespace orbelin
