#include "shell/hand_off.h"

#include <gtest/gtest.h>

#include "fake_platform.h"
#include "test_files.h"

namespace orbelin {
namespace {

using testing::FakePlatform;
using testing::FileCount;
using testing::ReadBytes;
using testing::TempFolder;

TEST(HandOff, ExchangeFileTextAndPath) {
  EXPECT_EQ(ExchangeFileText(52.5, -13.25), "52.500000\n-13.250000\n");
  EXPECT_EQ(ExchangeFileText(-0.0000004, 179.9999996), "-0.000000\n180.000000\n");
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
  EXPECT_EQ(SendPoint(p, 1, 2, "/no/such/folder"), SendResult::kCannotWrite);
  EXPECT_EQ(p.log, std::vector<std::string>{"find OziExplorer"});
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
