#include "shell/file_io.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include "test_files.h"

namespace orbelin {
namespace {

using testing::FileCount;
using testing::ReadBytes;
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
  ASSERT_TRUE(ReplaceFile(dir / "s.inp", "first"));
  EXPECT_EQ(ReadBytes(dir / "s.inp"), "first");
  chmod((dir / "s.inp").c_str(), 0640);
  ASSERT_TRUE(ReplaceFile(dir / "s.inp", "second"));
  EXPECT_EQ(ReadBytes(dir / "s.inp"), "second");
  struct stat st;
  ASSERT_EQ(stat((dir / "s.inp").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(FileCount(dir.folder()), 1);  // no temporary file left
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
    _exit(ReplaceFile(dir / "s.inp", std::string(1000, 'x')) ? 1 : 0);
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
  EXPECT_FALSE(ReplaceFile(dir / "no-such-folder/s.inp", "x"));
  EXPECT_FALSE(ReplaceFile("", "x"));
  std::filesystem::create_directory(dir / "sub");
  EXPECT_FALSE(ReplaceFile(dir / "sub", "x"));
  WriteBytes(dir / "ro.inp", "kept");
  chmod((dir / "ro.inp").c_str(), 0444);
  chmod(dir.folder().c_str(), 0777);
  EXPECT_TRUE(RunUnprivileged([&] { return !ReplaceFile(dir / "ro.inp", "x"); }));
  EXPECT_EQ(ReadBytes(dir / "ro.inp"), "kept");
}

TEST(ReplaceFile, WritesThroughLink) {
  TempFolder dir;
  WriteBytes(dir / "real.inp", "old");
  std::filesystem::create_symlink(dir / "real.inp", dir / "link.inp");
  ASSERT_TRUE(ReplaceFile(dir / "link.inp", "new"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.inp"));
  EXPECT_EQ(ReadBytes(dir / "real.inp"), "new");
}

}  // namespace
}  // namespace orbelin
