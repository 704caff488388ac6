#include <gtest/gtest.h>
#include <sys/stat.h>

#include "base/utf16.h"
#include "shell/definition_file.h"
#include "shell/settings_file.h"
#include "test_files.h"

namespace orbelin {
namespace {

using namespace std::string_literals;
using testing::FileCount;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

TEST(ReadSettings, FirstLineWithoutItsLineEnd) {
  struct Case {
    std::string file, folder;
  } cases[] = {
      {"/home/u/Maps", "/home/u/Maps"},
      {"/home/u/Maps\n", "/home/u/Maps"},
      {"/home/u/Maps\r\n/second/line\r\n", "/home/u/Maps"},
      {"\n/second", ""},
      {"/karten/m\xFC"
       "nchen\n",
       "/karten/münchen"},  // Windows-1252
      {"/karten/m\xC3\xBC"
       "nchen\n",
       "/karten/münchen"},  // UTF-8 from a Linux editor
  };
  for (const Case& c : cases) {
    TempFolder home;
    WriteBytes(home / "Orbelin.ini", c.file);
    std::string folder = "unchanged";
    EXPECT_TRUE(ReadSettings(home.folder(), &folder));
    EXPECT_EQ(folder, c.folder) << c.file;
  }
}

TEST(ReadSettings, MissingFileLeavesFolder) {
  TempFolder home;
  std::string folder = "before";
  EXPECT_FALSE(ReadSettings(home.folder(), &folder));
  EXPECT_EQ(folder, "before");
}

TEST(Definition, SixteenBitLittleEndianUnitsAndLineFeed) {
  TempFolder home;
  ASSERT_TRUE(WriteDefinition(home.folder(), "/a/ä€.inp"));
  EXPECT_EQ(ReadBytes(home / "Orbelin.def"), "/\0a\0/\0\xE4\0\xAC\x20.\0i\0n\0p\0\n\0"s);
  EXPECT_EQ(ReadDefinition(home.folder()), "/a/ä€.inp");
  EXPECT_EQ(FileCount(home.folder()), 1);
}

TEST(Definition, RoundTripsAnyPath) {
  for (std::string path : {"", "/home/u/walk.inp", "/tmp/😀 x/y.inp", "/ü/\t/ß"}) {
    TempFolder home;
    ASSERT_TRUE(WriteDefinition(home.folder(), path));
    EXPECT_EQ(ReadDefinition(home.folder()), path);
  }
}

TEST(Definition, EmptyPathIsOnlyTheLineFeed) {
  TempFolder home;
  ASSERT_TRUE(WriteDefinition(home.folder(), ""));
  EXPECT_EQ(ReadBytes(home / "Orbelin.def"), "\n\0"s);
}

TEST(Definition, MissingOrEmptyFileGivesEmptyPath) {
  TempFolder home;
  EXPECT_EQ(ReadDefinition(home.folder()), "");
  WriteBytes(home / "Orbelin.def", "");
  EXPECT_EQ(ReadDefinition(home.folder()), "");
  // Only the first line counts, and a last odd byte is no unit.
  WriteBytes(home / "Orbelin.def", "/\0x\0\n\0/\0y\0"s);
  EXPECT_EQ(ReadDefinition(home.folder()), "/x");
  WriteBytes(home / "Orbelin.def", "/\0z\0Q"s);
  EXPECT_EQ(ReadDefinition(home.folder()), "/z");
}

// Written by hand in a Linux editor: UTF-8, perhaps with a byte-order mark
// and a CR LF; or by a Windows editor in UTF-16 with its mark.
TEST(Definition, RecognisesHandWrittenFiles) {
  struct Case {
    std::string file, path;
  } cases[] = {
      {"/home/u/walk.inp\n", "/home/u/walk.inp"},
      {"/home/u/walk.inp", "/home/u/walk.inp"},
      {"/home/u/walk.inp\r\n/second\n", "/home/u/walk.inp"},
      {"/karten/m\xC3\xBC"
       "nchen.inp\n",
       "/karten/münchen.inp"},
      {"\xEF\xBB\xBF/x.inp\n", "/x.inp"},
      {"\xFF\xFE/\0x\0\r\0\n\0"s, "/x"},
      {"\xFE\xFF\0/\0\xE4\0\n"s, "/ä"},
  };
  for (const Case& c : cases) {
    TempFolder home;
    WriteBytes(home / "Orbelin.def", c.file);
    EXPECT_EQ(ReadDefinition(home.folder()), c.path) << c.file;
  }
}

TEST(Definition, PipeGivesEmptyPathAtOnce) {
  TempFolder home;
  ASSERT_EQ(mkfifo((home / "Orbelin.def").c_str(), 0644), 0);
  EXPECT_TRUE(testing::RunInChild([&] { return ReadDefinition(home.folder()).empty(); }, false, 5));
}

TEST(Definition, UnwritableFolderIsSkipped) {
  EXPECT_FALSE(WriteDefinition("/no/such/folder/", "/x.inp"));
}

TEST(Utf16, ConvertsBothWaysAndReplacesBrokenInput) {
  EXPECT_EQ(Utf8ToUtf16("aä€😀"), u"aä€😀");
  EXPECT_EQ(Utf16ToUtf8(u"aä€😀"), "aä€😀");
  EXPECT_EQ(Utf8ToUtf16("a\xFF"
                        "b\xC3"),
            u"a\uFFFDb\uFFFD");
  EXPECT_EQ(Utf8ToUtf16("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");  // an encoded surrogate
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xD800)) + u"x"), "\xEF\xBF\xBDx");
}

}  // namespace
}  // namespace orbelin
