#include "window/home_folder.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

#include "test_files.h"

namespace orbelin {
namespace {

using testing::FileCount;
using testing::ReadBytes;
using testing::RunInChild;
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
  EXPECT_EQ(FileCount(tmp / "home/orbelin"), 3);
  EXPECT_EQ(ReadBytes(tmp / "home/orbelin/walk.inp"), "VAR A;");
  EXPECT_EQ(ReadBytes(tmp / "home/orbelin/UPPER.INP"), "VAR B;");
  EXPECT_EQ(ReadBytes(tmp / "home/orbelin/Orbelin-examples.txt"), "UPPER.INP\nwalk.inp\n");
}

// An example the user changed or deleted stays as the user left it.
TEST(PrepareHomeFolder, TheUsersCopiesAreLeftAlone) {
  TempFolder tmp;
  std::filesystem::create_directory(tmp / "examples");
  WriteBytes(tmp / "examples/walk.inp", "new");
  WriteBytes(tmp / "examples/gone.inp", "new");
  ASSERT_FALSE(PrepareHomeFolder(tmp / "home/", tmp / "examples"));
  WriteBytes(tmp / "home/walk.inp", "the user's own");
  std::filesystem::remove(tmp / "home/gone.inp");
  ASSERT_FALSE(PrepareHomeFolder(tmp / "home/", tmp / "examples"));
  EXPECT_EQ(ReadBytes(tmp / "home/walk.inp"), "the user's own");
  EXPECT_FALSE(std::filesystem::exists(tmp / "home/gone.inp"));
}

// A full disk at the first start: each example is there whole or not at
// all, and the next start copies the rest. (A file size limit stands in
// for the full disk: writes beyond it fail as they do there.) An empty
// example left by an older version is copied again.
TEST(PrepareHomeFolder, ExamplesThatDidNotFitComeAtTheNextStart) {
  TempFolder tmp;
  std::filesystem::create_directory(tmp / "examples");
  WriteBytes(tmp / "examples/small.inp", "WRITE 1;");
  WriteBytes(tmp / "examples/large.inp", "WRITE '" + std::string(20000, 'x') + "';");
  EXPECT_TRUE(RunInChild([&] {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{4096, 4096};
    setrlimit(RLIMIT_FSIZE, &limit);
    return !PrepareHomeFolder(tmp / "home/", tmp / "examples");
  }));
  EXPECT_EQ(ReadBytes(tmp / "home/small.inp"), "WRITE 1;");
  EXPECT_FALSE(std::filesystem::exists(tmp / "home/large.inp"));

  ASSERT_FALSE(PrepareHomeFolder(tmp / "home/", tmp / "examples"));
  EXPECT_EQ(ReadBytes(tmp / "home/large.inp"), ReadBytes(tmp / "examples/large.inp"));
  EXPECT_EQ(ReadBytes(tmp / "home/Orbelin-examples.txt"), "large.inp\nsmall.inp\n");

  // A folder of an older version: its empty example is copied again; a
  // folder given with --home gets no examples it did not have.
  std::filesystem::create_directory(tmp / "old");
  WriteBytes(tmp / "old/small.inp", "");
  ASSERT_FALSE(PrepareHomeFolder(tmp / "old/", tmp / "examples"));
  EXPECT_EQ(ReadBytes(tmp / "old/small.inp"), "WRITE 1;");
  EXPECT_FALSE(std::filesystem::exists(tmp / "old/large.inp"));
  ASSERT_FALSE(PrepareHomeFolder(tmp / "old/", tmp / "examples"));
  EXPECT_FALSE(std::filesystem::exists(tmp / "old/large.inp"));
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
