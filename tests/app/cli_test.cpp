// The command line as a black box: scripts in; results, diagnostics, files
// and the exit status out.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cli_fixture.h"
#include "file_bytes.h"
namespace {

using orbelin::testing::Cli;
using orbelin::testing::Contains;
using orbelin::testing::Result;

namespace fs = std::filesystem;
using namespace std::string_literals;

using orbelin::testing::ReadBytes;
using orbelin::testing::WriteBytes;
TEST_F(Cli, ACleanRunPrintsResultsAndWritesBothFiles) {
  WriteBytes(dir_ / "walk.inp", "VAR A;\r\nA = 2;\r\nWRITE 'A = ', A:1;\r\n");
  const Result r = Orbelin({"run", Path("walk")});  // ".inp" is added
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "A = 2.0\n");
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(ReadBytes(dir_ / "walk.res"), "A = 2.0\n");
  EXPECT_EQ(ReadBytes(dir_ / "walk.lst"),
            "Listing:\n\n    1  VAR A;\n    2  A = 2;\n    3  WRITE 'A = ', A:1;\n\n\n"
            "    0 syntax errors\n");
}

// Results still go to standard output; each error goes to standard error
// as FILE:LINE:COLUMN, the line, a caret under the place, and a hint.
TEST_F(Cli, ErrorsGoToStandardErrorLikeACompilersWithResultsOnStandardOutput) {
  WriteBytes(dir_ / "bad.inp", "VAR A;\r\nA = 2\r\nWRITE A;\r\n");
  const Result r = Orbelin({"run", Path("bad.inp")});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "2\n");
  EXPECT_EQ(r.err,
            Path("bad.inp") +
                ":3:1: error: \";\" expected (E6)\n"
                "     3 | WRITE A;\n"
                "       | ^\n"
                "hint: every statement ends with ';': one is missing at the end of line 2\n");
  EXPECT_EQ(ReadBytes(dir_ / "bad.res"), "2\nLine 3, Col 1: \";\" expected (E6)\n");
}

// The hints: what a new user types, and what the terminal tells them.
TEST_F(Cli, HintsSayWhatToChange) {
  struct Case {
    std::string script, error, hint;
  } cases[] = {
      {"VAR A; B = 1;", ":1:10: error: indent name unknown (E111)",
       "B is not declared: names are declared in the one VAR line at the top"},
      {"WRTIE 1;", "indent name unknown (E111)", "(or did you mean WRITE?)"},
      {"VAR A, CP;", ":1:8: error: ident expected (E1)", "CP is a keyword and cannot be a name"},
      {"VAR X; X = -5;", ":1:12: error: unexpected symbol in Fact (E105)",
       "there is no minus sign before a number: write 0 - 5, or \xC2\xB0S and \xC2\xB0W"},
      {"WRITE \"x\";", "error: \";\" expected (E6)", "texts are written in single quotes"},
      {"WRITE 'abc;", "error: \";\" expected (E6)", "this text is never closed"},
      {"VAR X; X = 1,5;", ":1:13: error: \";\" expected (E6)",
       "numbers are written with a decimal point: 1.5, not 1,5"},
      {"VAR X; X = 1e5;", "error: \";\" expected (E6)",
       "numbers have no exponent: write 1e5 in digits, or as a product such as 1 * 10 ^ 5"},
      {"VAR X; X = .5;", "unexpected symbol in Fact (E105)",
       "a number cannot start with a point: write 0.5"},
      {"VAR MY_VAR;", ":1:7: error: \";\" expected (E6)", "names are letters and digits only"},
      {"WRITE 'a', TRANSR('b');", ":1:12: error: unexpected symbol in Stat (E100)",
       "TRANSR can only be the first item of a WRITE"},
      {"WRITE 1;\n\tWRITE 2;", ":2:8: error: EOF expected (E0)",
       "a tab is not allowed outside a text in quotes: indent with blanks; the rest of the "
       "script was not run"},
      {"WRITE 1; // note", ":1:10: error: EOF expected (E0)", "// does not start a comment"},
      {"WRITE 1;\n# note", ":2:1: error: EOF expected (E0)", "# does not start a comment"},
      {"WRITE 1;\nVAR B;", ":2:1: error: EOF expected (E0)",
       "VAR may stand only once, at the very start"},
      {"VAR L;\nL = 1;\nWGPS(L, L);", ":3:1: error: EOF expected (E0)",
       "WGPS is an output item: write it in a WRITE statement"},
      {"VAR X, Y, Z; LIN3(1, 2, 3, 0, 2, 4, 6, 0, 1, 1, 1, 0, X, Y, Z);",
       "error: Gleichung nicht l\xC3\xB6sbar (E113)",
       "the three equations have no single solution"},
      {"ENIGMAINIT('KBCDAAA', 'AAAAAAA', 'AAAAAAA', '');", "(E114)",
       "the first text (the wheels) has at most 6 letters"},
      {"ENIGMAINIT('KBCDA', 'AAAA', 'AAAAA', '');", "(E115)",
       "the second text (the ring letters) needs one letter for each letter of the first"},
      {"ENIGMAINIT('KBCDA', 'AAAAA', 'AAAAA', 'ABC');", "(E116)",
       "the fourth text (the plugboard) is pairs of letters"},
      {"ENIGMAINIT('KBCDW', 'AAAAA', 'AAAAA', '');", "(E117)",
       "each letter of the first text (the wheels) is A to V"},
      {"ENIGMAINIT('KBCDA', 'AAAA1', 'AAAAA', '');", "(E118)",
       "the second text (the ring letters) must be A to Z (the message says Stellung"},
      {"ENIGMAINIT('KBCDA', 'AAAAA', 'AAA', '');", "(E119)",
       "the third text (the window letters) needs a letter A to Z for each wheel"},
  };
  for (const Case& c : cases) {
    WriteBytes(dir_ / "h.inp", c.script);
    const Result r = Orbelin({"run", Path("h.inp")});
    EXPECT_EQ(r.status, 1) << c.script;
    EXPECT_TRUE(Contains(r.err, c.error)) << c.script << "\n" << r.err;
    EXPECT_TRUE(Contains(r.err, c.hint)) << c.script << "\n" << r.err;
  }
}

// Warnings tell of what the language cuts; they leave the status alone.
TEST_F(Cli, WarningsForWhatTheLanguageCuts) {
  struct Case {
    std::string script, warning;
  } cases[] = {
      {"WRITE 1; (* never closed\nWRITE 2;", ":1:10: warning: this comment is never closed"},
      {"WRITE 1; { never closed", ":1:10: warning: this comment is never closed"},
      {"WRITE 12345678901234567890123;",
       ":1:7: warning: only the first 19 characters of a number count: "
       "12345678901234567890123 is read as 1234567890123456789"},
      {"WRITE '" + std::string(260, 'x') + "';",
       ":1:7: warning: a text holds at most 253 characters: the last 7 of this one are cut"},
      {"VAR ABCDEFGHIJKLMNOPQRSTU; ABCDEFGHIJKLMNOPQRSTU = 1;",
       ":1:5: warning: only the first 19 characters of a name count"},
      {"WRITE 1;\r\nWRITE 2;\0WRITE 3;\r\n"s,
       ":2:9: warning: the script ends at a NUL byte here: the 10 bytes after it are not run"},
  };
  for (const Case& c : cases) {
    WriteBytes(dir_ / "w.inp", c.script);
    const Result r = Orbelin({"run", Path("w.inp")});
    EXPECT_EQ(r.status, 0) << c.script << "\n" << r.err;
    EXPECT_TRUE(Contains(r.err, c.warning)) << c.script << "\n" << r.err;
  }
  // The NUL the window saves at the end of every script hides nothing.
  WriteBytes(dir_ / "w.inp", "WRITE 1;\r\n\0"s);
  const Result r = Orbelin({"run", Path("w.inp")});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
}

TEST_F(Cli, ScriptsOfOneCallShareTheSession) {
  WriteBytes(dir_ / "one.inp", "GM1 = 41; MARGIN = 5; WRITE 1 / 0;");
  WriteBytes(dir_ / "two.inp", "WRITE GM1 + 1, ' ', 'aa bb cc';");
  Result r = Orbelin({"run", Path("one.inp"), Path("two.inp")});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "inf\n42 aa bb\ncc\n");
  // A separate call is a separate session.
  r = Orbelin({"run", Path("two.inp")});
  EXPECT_EQ(r.out, "1 aa bb cc\n");
}

TEST_F(Cli, StandardInputAndACommandLineScript) {
  Result r = Orbelin({"run", "-e", "WRITE 2^10;"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "1024\n");
  r = Orbelin({"run", "-"}, "WRITE \xC2\xB0N 48 30 : 1;\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "48.5\n");
  r = Orbelin({"run", "-e", "WRITE 1"});
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(Contains(r.err, "<command line>:1:8: error: \";\" expected (E6)")) << r.err;
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 3);

  // With --output-dir they write their files there.
  r = Orbelin({"run", "--output-dir", Path(""), "-e", "WRITE 3;", "-"}, "WRITE 4;");
  EXPECT_EQ(r.out, "3\n4\n");
  EXPECT_EQ(ReadBytes(dir_ / "command-line.res"), "3\n");
  EXPECT_EQ(ReadBytes(dir_ / "stdin.res"), "4\n");
}

// --gpx: a waypoint for each script that set a point, named after it;
// what is no place on the Earth is left out and said, with status 2.
TEST_F(Cli, GpxOfTheScriptsThatSetAPoint) {
  WriteBytes(dir_ / "walk.inp", "OLAT = N 48\xC2\xB0 12.345; OLON = E 011\xC2\xB0 30.500;");
  WriteBytes(dir_ / "sum.inp", "WRITE 1 + 1;");  // sets none: no waypoint, though one is set
  WriteBytes(dir_ / "final.inp", "OLAT = 0 - 33.5; OLON = 0 - 70.25;");
  WriteBytes(dir_ / "far.inp", "OLAT = 123.4;");
  Result r = Orbelin({"run", "--no-files", "--gpx", Path("w.gpx"), Path("walk.inp"),
                      Path("sum.inp"), Path("final.inp")});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(
      ReadBytes(dir_ / "w.gpx"),
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<gpx version=\"1.1\" creator=\"Orbelin\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n"
      "  <wpt lat=\"48.205750\" lon=\"11.508333\">\n"
      "    <name>walk</name>\n"
      "    <desc>N 48\xC2\xB0 12.345 E 011\xC2\xB0 30.500</desc>\n"
      "  </wpt>\n"
      "  <wpt lat=\"-33.500000\" lon=\"-70.250000\">\n"
      "    <name>final</name>\n"
      "    <desc>S 33\xC2\xB0 30.000 W 070\xC2\xB0 15.000</desc>\n"
      "  </wpt>\n"
      "</gpx>\n");

  r = Orbelin({"run", "--no-files", "--gpx=" + Path("x.gpx"), Path("walk.inp"), Path("far.inp")});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err,
            "orbelin: far: The point set with OLAT and OLON is not a place on the Earth: the "
            "latitude is 123.4, beyond \xC2\xB1"
            "90\xC2\xB0. Nothing was handed on.\n");
  EXPECT_TRUE(Contains(ReadBytes(dir_ / "x.gpx"), "<name>walk</name>"));
  EXPECT_FALSE(Contains(ReadBytes(dir_ / "x.gpx"), "far"));

  r = Orbelin({"run", "--no-files", "--gpx", Path("none.gpx"), Path("sum.inp")});
  EXPECT_EQ(r.status, 2);
  EXPECT_TRUE(Contains(r.err, "no waypoint for")) << r.err;
  EXPECT_FALSE(fs::exists(dir_ / "none.gpx"));
  EXPECT_EQ(Orbelin({"run", "--gpx"}).status, 2);
}

TEST_F(Cli, OutputFolderAndNoFiles) {
  fs::create_directories(dir_ / "out");
  WriteBytes(dir_ / "a.inp", "WRITE 5;");
  Result r = Orbelin({"run", "--output-dir=" + Path("out"), Path("a.inp")});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(ReadBytes(dir_ / "out" / "a.res"), "5\n");
  EXPECT_TRUE(fs::exists(dir_ / "out" / "a.lst"));
  EXPECT_FALSE(fs::exists(dir_ / "a.res"));

  r = Orbelin({"run", "--no-files", Path("a.inp")});
  EXPECT_EQ(r.out, "5\n");
  EXPECT_FALSE(fs::exists(dir_ / "a.res"));
  EXPECT_FALSE(fs::exists(dir_ / "a.lst"));

  // A folder that does not exist yet is made; a file in its way is said.
  r = Orbelin({"run", "--output-dir", Path("new/deeper"), Path("a.inp")});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(ReadBytes(dir_ / "new" / "deeper" / "a.res"), "5\n");
  r = Orbelin({"run", "--output-dir", Path("a.inp/x"), Path("a.inp")});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err,
            "orbelin: cannot make the output folder " + Path("a.inp/x") + ": Not a directory.\n");
  EXPECT_EQ(r.out, "");
}

// Standard error on a terminal: coloured, unless TERM says the terminal
// knows no colours or NO_COLOR is set.
TEST_F(Cli, ColoursOnlyWhereTheTerminalTakesThem) {
  struct Case {
    const char* term;
    const char* no_colour;
    bool colour;
  } cases[] = {{"xterm", nullptr, true}, {"dumb", nullptr, false}, {"xterm", "1", false}};
  for (const Case& c : cases) {
    int terminal = -1;
    const pid_t pid = forkpty(&terminal, nullptr, nullptr, nullptr);
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      setenv("TERM", c.term, 1);
      if (c.no_colour != nullptr) {
        setenv("NO_COLOR", c.no_colour, 1);
      } else {
        unsetenv("NO_COLOR");
      }
      execl(ORBELIN_BINARY_DIR "/orbelin", "orbelin", "run", "-e", "WRITE B;", nullptr);
      _exit(127);
    }
    std::string said;
    char buffer[4096];
    for (ssize_t n; (n = read(terminal, buffer, sizeof buffer)) > 0;) said.append(buffer, n);
    close(terminal);
    waitpid(pid, nullptr, 0);
    EXPECT_TRUE(Contains(said, "error:")) << said;
    EXPECT_EQ(Contains(said, "\033["), c.colour) << c.term << " " << said;
  }
}

// Arguments are read in order: what follows -e is the script, whatever it
// looks like; --help anywhere else asks for the help.
TEST_F(Cli, TheTextOfDashEIsTheScript) {
  Result r = Orbelin({"run", "-e", "--help"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  // "--help" is a comment: the script is empty.
  EXPECT_TRUE(Contains(r.err, "<command line>:1:7: error: unexpected symbol in Stat (E101)"))
      << r.err;
  r = Orbelin({"run", "-e", "WRITE 1;", "--help"});
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(r.out.starts_with("Orbelin, a calculator")) << r.out;
  // Every argument error shows the one usage text.
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"run", "--bogus"}, {"frobnicate"}, {}}) {
    r = Orbelin(args);
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(Contains(r.err,
                         "Usage: orbelin run [OPTIONS] SCRIPT... | - | -e TEXT\n"
                         "       orbelin help [WORD...]\n"))
        << r.err;
    EXPECT_TRUE(Contains(r.err, "Try 'orbelin --help' for more.\n")) << r.err;
  }
}

// A script in a folder its user cannot write: the results cannot be created
// beside it, which stops the run with a message; --output-dir or
// --no-files run it anyway.
TEST_F(Cli, AScriptInAReadOnlyFolder) {
  fs::create_directories(dir_ / "ro");
  WriteBytes(dir_ / "ro" / "r.inp", "WRITE 6;");
  fs::create_directories(dir_ / "out");
  chmod((dir_ / "out").c_str(), 0777);
  chmod(dir_.c_str(), 0755);
  chmod((dir_ / "ro").c_str(), 0555);
  const uid_t nobody = getuid() == 0 ? 65534 : 0;  // as root, act as an ordinary user
  Result r = Orbelin({"run", Path("ro/r.inp")}, "", nobody);
  EXPECT_EQ(r.status, 2) << r.err;
  EXPECT_TRUE(Contains(r.err, "cannot create the results")) << r.err;
  EXPECT_TRUE(Contains(r.err, "Permission denied")) << r.err;
  r = Orbelin({"run", "--no-files", Path("ro/r.inp")}, "", nobody);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "6\n");
  r = Orbelin({"run", "--output-dir", Path("out"), Path("ro/r.inp")}, "", nobody);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(ReadBytes(dir_ / "out" / "r.res"), "6\n");
}

TEST_F(Cli, WhatIsNoScriptEndsWithStatus2AndWritesNothing) {
  fs::create_directories(dir_ / "folder.inp");
  ASSERT_EQ(mkfifo((dir_ / "pipe.inp").c_str(), 0600), 0);  // reading it would wait forever
  struct Case {
    std::string path, message;
  } cases[] = {
      {Path("missing.inp"),
       "orbelin: cannot read the script " + Path("missing.inp") + ": No such file or directory."},
      {Path("folder.inp"), "orbelin: " + Path("folder.inp") + " is a folder, not a script file."},
      {Path("pipe.inp"),
       "orbelin: " + Path("pipe.inp") + " is a device or a pipe, not a script file."},
      // Its own results would overwrite it: nothing runs, nothing is written.
      {Path("walk.res"),
       "orbelin: the script " + Path("walk.res") + " would be overwritten by its own results"},
  };
  WriteBytes(dir_ / "walk.res", "WRITE 1;");
  for (const Case& c : cases) {
    const Result r = Orbelin({"run", c.path});
    EXPECT_EQ(r.status, 2) << c.path;
    EXPECT_TRUE(Contains(r.err, c.message)) << r.err;
  }
  EXPECT_FALSE(fs::exists(dir_ / "missing.res"));
  EXPECT_FALSE(fs::exists(dir_ / "folder.res"));
  EXPECT_FALSE(fs::exists(dir_ / "folder.lst"));
  EXPECT_EQ(ReadBytes(dir_ / "walk.res"), "WRITE 1;");
  EXPECT_FALSE(fs::exists(dir_ / "walk.lst"));

  // A clean script after a missing one still runs; the status tells of both.
  WriteBytes(dir_ / "ok.inp", "WRITE 1;");
  const Result r = Orbelin({"run", Path("missing.inp"), Path("ok.inp")});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "1\n");
}

TEST_F(Cli, ArgumentsAreChecked) {
  EXPECT_EQ(Orbelin({}).status, 2);
  EXPECT_EQ(Orbelin({"run"}).status, 2);
  Result r = Orbelin({"run", "--bogus", "x.inp"});
  EXPECT_EQ(r.status, 2);
  EXPECT_TRUE(Contains(r.err, "--bogus"));
  EXPECT_EQ(Orbelin({"run", "--encoding", "latin9", "x.inp"}).status, 2);
  EXPECT_EQ(Orbelin({"run", "-e"}).status, 2);
  EXPECT_EQ(Orbelin({"run", "--no-files", "--output-dir", "x", "-e", "WRITE 1;"}).status, 2);
  EXPECT_EQ(Orbelin({"frobnicate"}).status, 2);
  r = Orbelin({"--help"});
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(Contains(r.out, "orbelin run [OPTIONS] -e TEXT"));
  r = Orbelin({"--version"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out.rfind("orbelin ", 0), 0u);
}

TEST_F(Cli, EncodingsOfScriptsAndOutput) {
  // Typed in a UTF-8 editor: the degree sign and the umlaut work.
  WriteBytes(dir_ / "u.inp",
             "WRITE \xC2\xB0N 1 30:1, ' gr\xC3\xB6\xC3\x9F"
             "er \xE2\x86\x92';");
  Result r = Orbelin({"run", Path("u.inp")});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out,
            "1.5 gr\xC3\xB6\xC3\x9F"
            "er ?\n");  // printed as UTF-8
  EXPECT_EQ(ReadBytes(dir_ / "u.res"),
            "1.5 gr\xF6\xDF"
            "er ?\n");  // stored as Windows-1252

  // A byte-order mark from a Windows editor is no part of the script.
  WriteBytes(dir_ / "bom.inp", "\xEF\xBB\xBFWRITE 7;\r\n");
  r = Orbelin({"run", Path("bom.inp")});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "7\n");
  r = Orbelin({"run", "--encoding", "utf-8", Path("bom.inp")});
  EXPECT_EQ(r.out, "7\n");

  // Windows-1252 bytes are not valid UTF-8: taken as they are.
  WriteBytes(dir_ / "w.inp", "WRITE \xB0N 1 30:1, ' \xE4';");
  r = Orbelin({"run", Path("w.inp")});
  EXPECT_EQ(r.out, "1.5 \xC3\xA4\n");
  r = Orbelin({"run", "--encoding", "cp1252", Path("w.inp")});
  EXPECT_EQ(r.out, "1.5 \xE4\n");
  // Read as UTF-8 when told to: the two bytes that are not become '?', and
  // a warning says where the first stands and how many there were.
  WriteBytes(dir_ / "l.inp", "WRITE 1.5:1, ' \xE4\xFC';");
  r = Orbelin({"run", "--encoding", "utf-8", Path("l.inp")});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "1.5 ??\n");
  EXPECT_TRUE(r.err.starts_with(Path("l.inp") +
                                ":1:16: warning: this byte and 1 other are not UTF-8, though the "
                                "script is read as UTF-8: each became '?'\n"))
      << r.err;
  // vary reads scripts as run does by default, and says it too.
  WriteBytes(dir_ / "v.inp", "\xEF\xBB\xBFVAR A;\r\nWRITE '\xFF', A;\r\n");
  r = Orbelin({"vary", Path("v.inp"), "--set", "A=1"});
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(r.err.starts_with(Path("v.inp") + ":2:8: warning: this byte is not UTF-8")) << r.err;
}

TEST_F(Cli, AFolderWithADotKeepsTheFilesInside) {
  fs::create_directories(dir_ / "tmp.x1");
  WriteBytes(dir_ / "tmp.x1" / "walk.inp", "WRITE 3;");
  const Result r = Orbelin({"run", Path("tmp.x1/walk")});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(ReadBytes(dir_ / "tmp.x1" / "walk.res"), "3\n");
  EXPECT_FALSE(fs::exists(dir_ / "tmp.res"));
}

}  // namespace
