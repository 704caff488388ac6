// The command line as a black box: scripts in, files, output and status out.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

struct Result {
  int status;
  std::string out, err;
};

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

class Cli : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::path(testing::TempDir()) /
           ("cli." + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }

  Result Orbelin(const std::string& args) {
    std::string command = std::string(ORBELIN_BINARY_DIR) + "/orbelin " + args + " >" +
                          (dir_ / "stdout").string() + " 2>" + (dir_ / "stderr").string() +
                          " </dev/null";
    int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFile(dir_ / "stdout"),
            ReadFile(dir_ / "stderr")};
  }

  std::string Path(const std::string& name) { return (dir_ / name).string(); }

  fs::path dir_;
};

TEST_F(Cli, ACleanRunWritesBothFilesAndPrintsTheResults) {
  WriteFile(dir_ / "walk.inp", "VAR A;\r\nA = 2;\r\nWRITE 'A = ', A:1;\r\n");
  Result r = Orbelin("run " + Path("walk"));  // ".inp" is added
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "A = 2.0\n");
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(ReadFile(dir_ / "walk.res"), "A = 2.0\n");
  EXPECT_EQ(ReadFile(dir_ / "walk.lst"),
            "Listing:\n\n    1  VAR A;\n    2  A = 2;\n    3  WRITE 'A = ', A:1;\n\n\n"
            "    0 syntax errors\n");
}

TEST_F(Cli, ErrorsShowTheListingAndEndWithStatus1) {
  WriteFile(dir_ / "bad.inp", "VAR A;\r\nA = 2\r\nWRITE A;");
  Result r = Orbelin("run " + Path("bad.inp"));
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, ReadFile(dir_ / "bad.lst"));
  EXPECT_NE(r.out.find("*****  ^ \";\" expected (E6)"), std::string::npos);
  EXPECT_EQ(r.err, "Compilation errors\n");
  EXPECT_EQ(ReadFile(dir_ / "bad.res"), "2\nLine 3, Col 1: \";\" expected (E6)\n");
}

TEST_F(Cli, ScriptsOfOneCallShareTheSession) {
  WriteFile(dir_ / "one.inp", "GM1 = 41; MARGIN = 5; WRITE 1 / 0;");
  WriteFile(dir_ / "two.inp", "WRITE GM1 + 1, ' ', 'aa bb cc';");
  Result r = Orbelin("run " + Path("one.inp") + " " + Path("two.inp"));
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "inf\n42 aa bb\ncc\n");
  // A separate call is a separate session.
  r = Orbelin("run " + Path("two.inp"));
  EXPECT_EQ(r.out, "1 aa bb cc\n");
}

TEST_F(Cli, FilesThatCannotBeOpenedEndWithStatus2AndAreNamed) {
  Result r = Orbelin("run " + Path("missing.inp"));
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find(Path("missing.inp")), std::string::npos) << r.err;

  // A clean script after a missing one still runs; the status tells of both.
  WriteFile(dir_ / "ok.inp", "WRITE 1;");
  r = Orbelin("run " + Path("missing.inp") + " " + Path("ok.inp"));
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "1\n");
}

TEST_F(Cli, ArgumentsAreChecked) {
  EXPECT_EQ(Orbelin("").status, 2);
  EXPECT_EQ(Orbelin("run").status, 2);
  Result r = Orbelin("run --bogus x.inp");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("--bogus"), std::string::npos);
  EXPECT_EQ(Orbelin("run --encoding latin9 x.inp").status, 2);
  EXPECT_EQ(Orbelin("frobnicate").status, 2);
  r = Orbelin("--help");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("orbelin run"), std::string::npos);
  r = Orbelin("--version");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out.rfind("orbelin ", 0), 0u);
}

TEST_F(Cli, EncodingsOfScriptsAndOutput) {
  // Typed in a UTF-8 editor: the degree sign and the umlaut work.
  WriteFile(dir_ / "u.inp",
            "WRITE \xC2\xB0N 1 30:1, ' gr\xC3\xB6\xC3\x9F"
            "er \xE2\x86\x92';");
  Result r = Orbelin("run " + Path("u.inp"));
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out,
            "1.5 gr\xC3\xB6\xC3\x9F"
            "er ?\n");  // printed as UTF-8
  EXPECT_EQ(ReadFile(dir_ / "u.res"),
            "1.5 gr\xF6\xDF"
            "er ?\n");  // stored as Windows-1252

  // Windows-1252 bytes are not valid UTF-8: taken as they are.
  WriteFile(dir_ / "w.inp", "WRITE \xB0N 1 30:1, ' \xE4';");
  r = Orbelin("run " + Path("w.inp"));
  EXPECT_EQ(r.out, "1.5 \xC3\xA4\n");
  r = Orbelin("run --encoding cp1252 " + Path("w.inp"));
  EXPECT_EQ(r.out, "1.5 \xE4\n");
}

TEST_F(Cli, AFolderWithADotKeepsTheFilesInside) {
  fs::create_directories(dir_ / "tmp.x1");
  WriteFile(dir_ / "tmp.x1" / "walk.inp", "WRITE 3;");
  Result r = Orbelin("run " + Path("tmp.x1/walk"));
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(ReadFile(dir_ / "tmp.x1" / "walk.res"), "3\n");
  EXPECT_FALSE(fs::exists(dir_ / "tmp.res"));
}

}  // namespace
