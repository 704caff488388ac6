#include "frontend/file_io.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include "test_files.h"

namespace orbelin {
namespace {

const std::error_code kWritten;

using testing::FileCount;
using testing::ReadBytes;
using testing::RunInChild;
using testing::RunUnprivileged;
using testing::TempFolder;
using testing::WriteBytes;

TEST(ReadWholeFile, ReadsBytesOrNothing) {
  TempFolder dir;
  WriteBytes(dir / "a", std::string("x\0y\r\n", 5));
  EXPECT_EQ(ReadWholeFile(dir / "a"), std::string("x\0y\r\n", 5));
  EXPECT_EQ(ReadWholeFile(dir / "missing"), std::nullopt);
  EXPECT_EQ(ReadWholeFile(""), std::nullopt);
}

TEST(ReadWholeFile, ReadsReadOnlyFile) {
  TempFolder dir;
  WriteBytes(dir / "ro.inp", "VAR A;");
  chmod((dir / "ro.inp").c_str(), 0444);
  EXPECT_TRUE(RunUnprivileged([&] { return ReadWholeFile(dir / "ro.inp") == "VAR A;"; }));
}

TEST(ReplaceFile, WritesAndReplacesKeepingPermissions) {
  TempFolder dir;
  ASSERT_EQ(ReplaceFile(dir / "s.inp", "first"), kWritten);
  EXPECT_EQ(ReadBytes(dir / "s.inp"), "first");
  chmod((dir / "s.inp").c_str(), 0640);
  ASSERT_EQ(ReplaceFile(dir / "s.inp", "second"), kWritten);
  EXPECT_EQ(ReadBytes(dir / "s.inp"), "second");
  struct stat st;
  ASSERT_EQ(stat((dir / "s.inp").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(FileCount(dir.folder()), 1);  // no temporary file left
}

// The temporary file beside a name of the longest length still fits, so a
// script with such a name is saved like any other.
TEST(ReplaceFile, LongestNameIsReplacedThroughATemporaryFile) {
  TempFolder dir;
  const std::string name = std::string(251, 'a') + ".inp";
  ASSERT_EQ(name.size(), kMaxNameBytes);
  WriteBytes(dir / name, "old");
  struct stat before, after;
  ASSERT_EQ(stat((dir / name).c_str(), &before), 0);
  ASSERT_EQ(ReplaceFile(dir / name, "new"), kWritten);
  ASSERT_EQ(stat((dir / name).c_str(), &after), 0);
  EXPECT_EQ(ReadBytes(dir / name), "new");
  EXPECT_NE(before.st_ino, after.st_ino);  // renamed over, not written in place
  EXPECT_EQ(FileCount(dir.folder()), 1);
}

TEST(NameThatFits, CutsTheStemOnACharacterBoundary) {
  const std::string umlauts(250, 'x');  // then 3 two-byte characters
  struct Case {
    std::string stem, suffix, name;
  } cases[] = {
      {"walk", "-recovered.inp", "walk-recovered.inp"},
      {std::string(255, 'a'), ".t", std::string(253, 'a') + ".t"},
      // 253 bytes are left for the stem: the second \xC3\xA4 would be cut in half.
      {umlauts + "\xC3\xA4\xC3\xA4\xC3\xA4", ".t", umlauts + "\xC3\xA4.t"},
      {"abc", std::string(300, 's'), std::string(300, 's')},
  };
  for (const Case& c : cases) EXPECT_EQ(NameThatFits(c.stem, c.suffix), c.name) << c.stem;
}

TEST(ReplaceFile, FailureHalfWayKeepsTheOldFile) {
  TempFolder dir;
  WriteBytes(dir / "s.inp", "the user's script");
  // In a child: the file size limit makes the write fail after 100 bytes.
  pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    signal(SIGXFSZ, SIG_IGN);
    rlimit limit{100, 100};
    setrlimit(RLIMIT_FSIZE, &limit);
    _exit(ReplaceFile(dir / "s.inp", std::string(1000, 'x')) == std::errc::file_too_large ? 0 : 1);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the failed write was reported as done";
  EXPECT_EQ(ReadBytes(dir / "s.inp"), "the user's script");
  EXPECT_EQ(FileCount(dir.folder()), 1);
}

TEST(ReplaceFile, RefusesWhatItMustNotReplace) {
  TempFolder dir;
  EXPECT_EQ(ReplaceFile(dir / "no-such-folder/s.inp", "x"), std::errc::no_such_file_or_directory);
  EXPECT_EQ(ReplaceFile("", "x"), std::errc::no_such_file_or_directory);
  std::filesystem::create_directory(dir / "sub");
  EXPECT_EQ(ReplaceFile(dir / "sub", "x"), std::errc::is_a_directory);
  ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0644), 0);
  EXPECT_EQ(ReplaceFile(dir / "fifo", "x"), NotARegularFile());
  EXPECT_EQ(NotARegularFile().message(), "not a regular file (a pipe, a device or a socket)");
  WriteBytes(dir / "ro.inp", "kept");
  chmod((dir / "ro.inp").c_str(), 0444);
  chmod(dir.folder().c_str(), 0777);
  EXPECT_TRUE(RunUnprivileged(
      [&] { return ReplaceFile(dir / "ro.inp", "x") == std::errc::permission_denied; }));
  EXPECT_EQ(ReadBytes(dir / "ro.inp"), "kept");
}

// A folder the user may not write keeps its files writable: a file that
// allows writing is written in place, and a failure half-way puts the old
// bytes back.
TEST(ReplaceFile, ReadOnlyFolderWritesTheFileInPlace) {
  TempFolder dir;
  WriteBytes(dir / "w.inp", "the user's script");
  chmod((dir / "w.inp").c_str(), 0666);
  chmod(dir.folder().c_str(), 0555);
  struct stat before;
  ASSERT_EQ(stat((dir / "w.inp").c_str(), &before), 0);

  EXPECT_TRUE(RunInChild(
      [&] {
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit{100, 100};
        setrlimit(RLIMIT_FSIZE, &limit);
        return ReplaceFile(dir / "w.inp", std::string(1000, 'x')) == std::errc::file_too_large &&
               ReadBytes(dir / "w.inp") == "the user's script";
      },
      true))
      << "a failed write in place must leave the old bytes";

  EXPECT_TRUE(RunUnprivileged([&] { return !ReplaceFile(dir / "w.inp", "WRITE 2;"); }));
  EXPECT_EQ(ReadBytes(dir / "w.inp"), "WRITE 2;");
  struct stat after;
  ASSERT_EQ(stat((dir / "w.inp").c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(after.st_mode & 07777, 0666u);
  EXPECT_EQ(FileCount(dir.folder()), 1);
  chmod(dir.folder().c_str(), 0755);
}

TEST(ReplaceFile, KeepsHardLinksAndOwner) {
  TempFolder dir;
  WriteBytes(dir / "a.inp", "old");
  ASSERT_EQ(link((dir / "a.inp").c_str(), (dir / "b.inp").c_str()), 0);
  ASSERT_EQ(ReplaceFile(dir / "a.inp", "new"), kWritten);
  EXPECT_EQ(ReadBytes(dir / "b.inp"), "new");
  struct stat st;
  ASSERT_EQ(stat((dir / "a.inp").c_str(), &st), 0);
  EXPECT_EQ(st.st_nlink, 2u);

  if (geteuid() != 0) GTEST_SKIP() << "only root can give a file to another user";
  WriteBytes(dir / "theirs.inp", "old");
  ASSERT_EQ(chown((dir / "theirs.inp").c_str(), 65534, 65534), 0);
  ASSERT_EQ(ReplaceFile(dir / "theirs.inp", "new"), kWritten);
  ASSERT_EQ(stat((dir / "theirs.inp").c_str(), &st), 0);
  EXPECT_EQ(st.st_uid, 65534u);
  EXPECT_EQ(st.st_gid, 65534u);
  EXPECT_EQ(ReadBytes(dir / "theirs.inp"), "new");
}

TEST(ReplaceFile, WritesThroughLink) {
  TempFolder dir;
  WriteBytes(dir / "real.inp", "old");
  std::filesystem::create_symlink(dir / "real.inp", dir / "link.inp");
  ASSERT_EQ(ReplaceFile(dir / "link.inp", "new"), kWritten);
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.inp"));
  EXPECT_EQ(ReadBytes(dir / "real.inp"), "new");

  // A link whose file does not exist yet creates that file.
  std::filesystem::create_symlink("later.inp", dir / "dangling.inp");
  ASSERT_EQ(ReplaceFile(dir / "dangling.inp", "made"), kWritten);
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "dangling.inp"));
  EXPECT_EQ(ReadBytes(dir / "later.inp"), "made");
}

// A pipe or a device would make a read wait for a writer forever.
TEST(ReadWholeFile, RefusesPipesAndDevices) {
  TempFolder dir;
  ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0644), 0);
  EXPECT_TRUE(RunInChild(
      [&] {
        std::error_code error;
        return !ReadWholeFile(dir / "fifo", &error) && error == NotARegularFile() &&
               !ReadWholeFile("/dev/zero", &error) && error == NotARegularFile();
      },
      false, 5));
  std::error_code error;
  EXPECT_FALSE(ReadWholeFile(dir.folder(), &error));
  EXPECT_EQ(error, std::errc::is_a_directory);
  EXPECT_FALSE(ReadWholeFile(dir / "missing", &error));
  EXPECT_EQ(error, std::errc::no_such_file_or_directory);
}

}  // namespace
}  // namespace orbelin
