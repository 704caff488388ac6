#include "window/hand_off.h"

#include <gtest/gtest.h>

#include "fake_platform.h"
#include "test_files.h"

namespace orbelin {
namespace {

using testing::FakePlatform;
using testing::FileCount;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

TEST(HandOff, ExchangeFilePath) {
  EXPECT_EQ(ExchangeFilePath("/home/u/Maps"), "/home/u/Maps/apidata1.$$$");
  EXPECT_EQ(ExchangeFilePath(""), "/apidata1.$$$");  // no settings: the root folder
}

TEST(HandOff, WindowIsLookedForBeforeTheFileIsWritten) {
  TempFolder maps;
  FakePlatform p;
  EXPECT_EQ(SendPoint(p, 52.5, -13.25, maps / ""), SendResult::kNotRunning);
  EXPECT_EQ(FileCount(maps.folder()), 0);
  EXPECT_EQ(p.log, std::vector<std::string>{"find OziExplorer"});
}

TEST(HandOff, UnwritableFileSendsNothing) {
  FakePlatform p;
  p.map_window = 77;
  std::error_code error;
  EXPECT_EQ(SendPoint(p, 1, 2, "/no/such/folder", &error), SendResult::kCannotWrite);
  EXPECT_EQ(error, std::errc::no_such_file_or_directory);
  EXPECT_EQ(p.log, std::vector<std::string>{"find OziExplorer"});
}

// The hand-off folder may be one that others write: a symbolic link planted
// in the file's place is not written through, and its target stays as it
// was.
TEST(HandOff, NeverWritesThroughALinkInTheFilesPlace) {
  TempFolder maps, elsewhere;
  WriteBytes(elsewhere / "precious", "keep me");
  ASSERT_EQ(symlink((elsewhere / "precious").c_str(), (maps / "apidata1.$$$").c_str()), 0);
  FakePlatform p;
  p.map_window = 77;
  std::error_code error;
  EXPECT_EQ(SendPoint(p, 1, 2, maps / "", &error), SendResult::kCannotWrite);
  EXPECT_EQ(error.message(), "it is a symbolic link, which Orbelin does not write through there");
  EXPECT_EQ(ReadBytes(elsewhere / "precious"), "keep me");
  // A link to nothing is not followed into a new file either.
  ASSERT_EQ(symlink((elsewhere / "new").c_str(), (maps / "b").c_str()), 0);
  std::filesystem::rename(maps / "b", maps / "apidata1.$$$");
  EXPECT_EQ(SendPoint(p, 1, 2, maps / ""), SendResult::kCannotWrite);
  EXPECT_FALSE(std::filesystem::exists(elsewhere / "new"));
  EXPECT_EQ(p.log, std::vector<std::string>(2, "find OziExplorer"));
}

TEST(HandOff, WritesFileThenSendsMessageThenRaises) {
  TempFolder maps;
  FakePlatform p;
  p.map_window = 77;
  p.main_window = 12;
  ASSERT_EQ(SendPoint(p, 52.5, -13.25, maps.folder().substr(0, maps.folder().size() - 1)),
            SendResult::kSent);
  EXPECT_EQ(ReadBytes(maps / "apidata1.$$$"), "52.500000\n-13.250000\n");
  EXPECT_EQ(p.log,
            (std::vector<std::string>{"find OziExplorer", "send 77 1029 12 110", "front 77"}));

  // A second hand-off overwrites the file.
  ASSERT_EQ(SendPoint(p, 48.5, 11.25, maps / ""), SendResult::kSent);
  EXPECT_EQ(ReadBytes(maps / "apidata1.$$$"), "48.500000\n11.250000\n");
}

}  // namespace
}  // namespace orbelin
