#include <gtest/gtest.h>
#include <sys/stat.h>

#include "base/utf16.h"
#include "test_files.h"
#include "window/definition_file.h"
#include "window/settings_file.h"

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

// A Windows editor's "Unicode" (UTF-16, with or without a byte-order mark)
// names the same folder; it is not the root folder of its first byte.
TEST(ReadSettings, Utf16FileNamesTheSameFolder) {
  const std::u16string line = u"/karten/m\u00FCnchen\r\n/second\r\n";
  std::string little, big;
  for (char16_t unit : line) {
    little += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    big += {static_cast<char>(unit >> 8), static_cast<char>(unit & 0xFF)};
  }
  for (const std::string& file : {little, "\xFF\xFE" + little, "\xFE\xFF" + big}) {
    TempFolder home;
    WriteBytes(home / "Orbelin.ini", file);
    std::string folder;
    EXPECT_TRUE(ReadSettings(home.folder(), &folder));
    EXPECT_EQ(folder, "/karten/m\xC3\xBCnchen");
  }
}

// A huge file without a line end (not a settings file) names no folder,
// and says so; a path as long as the limit still counts.
TEST(ReadSettings, OverlongLineIsIgnoredWithANote) {
  TempFolder home;
  const std::string longest = "/" + std::string(kMaxSettingsLine - 1, 'd');
  WriteBytes(home / "Orbelin.ini", longest + "\r\n");
  std::string folder, note;
  EXPECT_TRUE(ReadSettings(home.folder(), &folder, &note));
  EXPECT_EQ(folder, longest);
  EXPECT_EQ(note, "");

  for (const std::string& file : {longest + "d", std::string(50 << 20, '\xFC')}) {
    WriteBytes(home / "Orbelin.ini", file);
    folder = "before";
    EXPECT_FALSE(ReadSettings(home.folder(), &folder, &note));
    EXPECT_EQ(folder, "before");
    EXPECT_EQ(note, "The first line of " + home / "Orbelin.ini" +
                        " is longer than 4096 bytes, which no folder's name is; Orbelin ignores "
                        "it.");
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
  // Names that are not UTF-8 (Latin-1 from an old disk) come back byte for
  // byte, and so does a lone surrogate's UTF-8 form.
  for (std::string path : {"", "/home/u/walk.inp", "/tmp/😀 x/y.inp", "/ü/\t/ß",
                           "/home/u/m\xFCnchen.inp", "/x/\xC3/\xFF\xFE.inp"}) {
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
