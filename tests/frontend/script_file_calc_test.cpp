#include "frontend/script_file_calc.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "file_bytes.h"

namespace orbelin {
namespace {

using orbelin::testing::ReadBytes;
using orbelin::testing::WriteBytes;

class ScriptFileCalc : public ::testing::Test {
 protected:
  // One folder per test and process: ctest runs the tests side by side.
  std::string folder = ::testing::TempDir() + "orbelin-" +
                       ::testing::UnitTest::GetInstance()->current_test_info()->name() + "-" +
                       std::to_string(getpid());
  void SetUp() override { std::filesystem::create_directories(folder); }
  void TearDown() override { std::filesystem::remove_all(folder); }
  ScriptFileNames Names(const std::string& name) { return BuildFileNames(folder + "/" + name); }
  Session session;
};

TEST_F(ScriptFileCalc, WritesResultsAndListingBesideTheScript) {
  WriteBytes(folder + "/walk.inp", std::string("WRITE 1;\r\n\0", 11));
  const FileCalc calc = CalcScriptFile(session, Names("walk"), SourceEncoding::kCp1252);
  EXPECT_TRUE(calc.ran());
  EXPECT_EQ(calc.Problem(Names("walk")), "");
  EXPECT_EQ(calc.ListingProblem(Names("walk")), "");
  EXPECT_EQ(ReadBytes(folder + "/walk.res"), "1\n");
  EXPECT_EQ(ReadBytes(folder + "/walk.lst"),
            "Listing:\n\n    1  WRITE 1;\n\n\n    0 syntax errors\n");
}

TEST_F(ScriptFileCalc, FailuresSayWhichFileAndWhyAndRunNothing) {
  FileCalc calc = CalcScriptFile(session, Names("missing.inp"), SourceEncoding::kCp1252);
  EXPECT_EQ(calc.status, FileCalcStatus::kScriptUnreadable);
  EXPECT_EQ(calc.Problem(Names("missing.inp")),
            "Cannot read the script " + folder + "/missing.inp: No such file or directory.");

  std::filesystem::create_directories(folder + "/dir.inp");
  calc = CalcScriptFile(session, Names("dir.inp"), SourceEncoding::kCp1252);
  EXPECT_EQ(calc.status, FileCalcStatus::kScriptUnreadable);
  EXPECT_EQ(calc.Problem(Names("dir.inp")), folder + "/dir.inp is a folder, not a script file.");
  EXPECT_FALSE(std::filesystem::exists(folder + "/dir.res"));

  // A results file that cannot be created stops the run before it starts:
  // the session does not change.
  WriteBytes(folder + "/a.inp", "GM1 = 5;");
  std::filesystem::create_directories(folder + "/a.res");
  calc = CalcScriptFile(session, Names("a.inp"), SourceEncoding::kCp1252);
  EXPECT_EQ(calc.status, FileCalcStatus::kResultsUncreatable);
  EXPECT_EQ(calc.error, std::errc::is_a_directory);
  EXPECT_EQ(session.Run("WRITE GM1;").results, "0\n");
}

// A script named like its own results or listing would be overwritten by
// them; so would one reached through another name of the same file.
TEST_F(ScriptFileCalc, NeverWritesOverTheScriptItself) {
  const std::string script = "GM1 = 7; WRITE 1;";
  for (const char* name : {"x.res", "y.lst"}) {
    WriteBytes(folder + "/" + name, script);
    const FileCalc calc = CalcScriptFile(session, Names(name), SourceEncoding::kCp1252);
    EXPECT_EQ(calc.status, FileCalcStatus::kOutputRefused) << name;
    EXPECT_NE(calc.Problem(Names(name)).find("would be overwritten by its own"), std::string::npos);
    EXPECT_EQ(ReadBytes(folder + "/" + name), script) << name;
  }
  WriteBytes(folder + "/z.inp", script);
  ASSERT_EQ(link((folder + "/z.inp").c_str(), (folder + "/z.res").c_str()), 0);
  EXPECT_EQ(CalcScriptFile(session, Names("z.inp"), SourceEncoding::kCp1252).status,
            FileCalcStatus::kOutputRefused);
  EXPECT_EQ(CalcSavedBox(session, Names("z.inp"), "WRITE 2;").status,
            FileCalcStatus::kOutputRefused);
  EXPECT_EQ(ReadBytes(folder + "/z.inp"), script);
  EXPECT_EQ(session.Run("WRITE GM1;").results, "0\n");
}

TEST_F(ScriptFileCalc, AListingThatCannotBeWrittenIsSkipped) {
  WriteBytes(folder + "/b.inp", "WRITE 2;");
  std::filesystem::create_directories(folder + "/b.lst");
  const FileCalc calc = CalcScriptFile(session, Names("b.inp"), SourceEncoding::kCp1252);
  EXPECT_TRUE(calc.ran());
  EXPECT_EQ(calc.listing_error, std::errc::is_a_directory);
  EXPECT_EQ(ReadBytes(folder + "/b.res"), "2\n");
}

TEST_F(ScriptFileCalc, AutoEncodingTurnsUtf8IntoWindows1252) {
  WriteBytes(folder + "/u.inp",
             "WRITE \xC2\xB0N 48 30 : 1, ' \xC3\xA4\xE2\x82\xAC\xE2\x86\x92';\n");
  CalcScriptFile(session, Names("u.inp"), SourceEncoding::kAuto);
  EXPECT_EQ(ReadBytes(folder + "/u.res"), "48.5 \xE4\x80?\n");
}

// The window runs its box, which the file holds whether it was just saved or
// left alone in UTF-8: the text the user sees is the text that runs.
TEST_F(ScriptFileCalc, TheWindowRunsTheBoxTheFileHolds) {
  WriteBytes(folder + "/w.inp", "WRITE '\xC3\xA4';\n");  // UTF-8, as an editor wrote it
  const FileCalc calc = CalcSavedBox(session, Names("w.inp"), "WRITE 'ä';\n");
  ASSERT_TRUE(calc.ran());
  EXPECT_EQ(ReadBytes(folder + "/w.res"), "\xE4\n");
  EXPECT_EQ(calc.view.ShownText(), "ä\n");
  EXPECT_EQ(CalcSavedBox(session, Names("gone.inp"), "WRITE 1;").status,
            FileCalcStatus::kScriptUnreadable);
}

}  // namespace
}  // namespace orbelin
