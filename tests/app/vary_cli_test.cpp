// `orbelin vary` as a user meets it: the cookbook's recipe, the mistakes it
// names, the files it writes (read back by gpsbabel and gpxpy), the progress
// bar on a terminal and Ctrl+C.
#include <pty.h>
#include <signal.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>

#include "cli_fixture.h"

namespace orbelin::testing {
namespace {

using Vary = Cli;

// What a command prints on standard output, or "" when it cannot run.
std::string Output(const std::string& command) {
  std::string out;
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  if (!pipe) return out;
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0;) out.append(buffer, n);
  return out;
}

const char kRecipeTable[] =
    "values       point                       distance  first line\n"
    "A=4 E=0 H=0  N 48\xC2\xB0 14.347 E 011\xC2\xB0 30.500  886 m     Digit sum: 41\n"
    "A=3 E=0 H=1  N 48\xC2\xB0 13.347 E 011\xC2\xB0 30.501  1.63 km   Digit sum: 41\n"
    "A=3 E=1 H=0  N 48\xC2\xB0 13.347 E 011\xC2\xB0 31.500  2.48 km   Digit sum: 41\n";

// The cookbook's recipe prints what the handbook shows, and its GPX file
// is what a GPS program reads.
TEST_F(Vary, TheCookbookRecipe) {
  fs::copy_file(ORBELIN_SOURCE_DIR "/examples/unknown_digits.inp", dir_ / "unknown_digits.inp");
  const Result r =
      Orbelin({"vary", Path("unknown_digits.inp"), "--set", "A=0..9", "--set", "E=0..9", "--set",
               "H=0..9", "--where", "CHK=41", "--near", "N 48\xC2\xB0 14.120 E 011\xC2\xB0 29.870",
               "--within", "2mi", "--gpx", Path("final.gpx"), "--csv", Path("final.csv")});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, kRecipeTable);
  EXPECT_TRUE(r.err.starts_with("1,000 combinations tried in ")) << r.err;
  EXPECT_TRUE(
      r.err.ends_with(" s.\nKept: 3 runs.\nDropped: 985 failed a condition, 12 beyond 3.22 km.\n"))
      << r.err;
  EXPECT_FALSE(Contains(r.err, "\r")) << "no progress bar off a terminal";
  // The same without the degree signs a shell makes awkward, and with the
  // unit's name.
  const Result plain = Orbelin({"vary", Path("unknown_digits.inp"), "--set", "A=0..9", "--set",
                                "E=0..9", "--set", "H=0..9", "--where", "CHK=41", "--near",
                                "N 48 14.120 E 011 29.870", "--within", "2miles"});
  EXPECT_EQ(plain.status, 0) << plain.err;
  EXPECT_EQ(plain.out, kRecipeTable);
  const std::string cookbook =
      ReadBytes(fs::path(ORBELIN_SOURCE_DIR) / "docs/handbook/cookbook.md");
  EXPECT_TRUE(Contains(cookbook, "```text\n" + std::string(kRecipeTable) + "```\n"))
      << "the cookbook shows another table";

  EXPECT_EQ(
      Output("/usr/bin/python3 " ORBELIN_SOURCE_DIR "/tests/web/gpx_read.py " + Path("final.gpx")),
      "48.239117 11.508333 A=4 E=0 H=0\n"
      "48.22245 11.50835 A=3 E=0 H=1\n"
      "48.22245 11.525 A=3 E=1 H=0\n");
  EXPECT_EQ(Output("gpsbabel -i gpx -f " + Path("final.gpx") + " -o unicsv -F -"),
            "No,Latitude,Longitude,Name,Description,Notes\r\n"
            "1,48.239117,11.508333,\"A=4 E=0 H=0\",\"Digit sum: 41\",\"N 48\xC2\xB0 14.347 "
            "E 011\xC2\xB0 30.500; 886 m from the reference\"\r\n"
            "2,48.222450,11.508350,\"A=3 E=0 H=1\",\"Digit sum: 41\",\"N 48\xC2\xB0 13.347 "
            "E 011\xC2\xB0 30.501; 1.63 km from the reference\"\r\n"
            "3,48.222450,11.525000,\"A=3 E=1 H=0\",\"Digit sum: 41\",\"N 48\xC2\xB0 13.347 "
            "E 011\xC2\xB0 31.500; 2.48 km from the reference\"\r\n");
  const std::string csv = ReadBytes(dir_ / "final.csv");
  EXPECT_TRUE(
      csv.starts_with("A,E,H,lat,lon,point,distance_m,first_line,same_point\r\n"
                      "4,0,0,48.23911666666667,11.508333333333333,"))
      << csv;
}

// The formula final straight in, with no script: the points kept are the
// set an independent brute force finds (Python 3, the points sorted as
// repr() writes them, which is how the CSV writes them too):
//
//   import itertools
//   res = set()
//   for A, B, C, D, E in itertools.product(range(10), repeat=5):
//       F, G = 3, 7
//       if E - 1 < 0:
//           continue  # (E-1) negative: an error of that run
//       latmin, latdec = f"{A+B}2", f"{C*2}{D}5"
//       lonmin, londec = f"4{E-1}", f"{F}{G}0"
//       if int(latmin) >= 60 or int(lonmin) >= 60:
//           continue  # 60 minutes or more: an error of that run
//       if sum(map(int, "50" + latmin + latdec + "008" + lonmin + londec)) != 61:
//           continue
//       res.add((50 + float(latmin + "." + latdec) / 60, 8 + float(lonmin + "." + londec) / 60))
//   for lat, lon in sorted(res):
//       print(f"{lat!r},{lon!r}")
TEST_F(Vary, TheFinalAsWrittenFindsWhatABruteForceFinds) {
  const Result r =
      Orbelin({"vary",   "--final", "N 50\xC2\xB0 (A+B)2.(C*2)D5 E 008\xC2\xB0 4(E-1).FG0",
               "--set",  "A=0..9",  "--set",
               "B=0..9", "--set",   "C=0..9",
               "--set",  "D=0..9",  "--set",
               "E=0..9", "--set",   "F=3",
               "--set",  "G=7",     "--digit-sum",
               "61",     "--csv",   Path("final.csv")});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(Contains(r.err, "Kept: 175 runs, at 35 points.")) << r.err;
  // 10,000 runs with E = 0 give (E-1) = -1, and the minutes of 62 to 182
  // are no minutes: errors of those runs, counted.
  EXPECT_TRUE(Contains(r.err, "81,100 had errors")) << r.err;
  std::vector<std::string> points;
  const std::string csv = ReadBytes(dir_ / "final.csv");
  size_t at = csv.find('\n') + 1;
  while (at < csv.size()) {
    const size_t end = csv.find('\n', at);
    std::vector<std::string> cells;
    for (size_t c = at, i = 0; i < 9; ++i) {
      const size_t comma = csv.find(',', c);
      cells.push_back(csv.substr(c, comma - c));
      c = comma + 1;
    }
    points.push_back(cells[7] + "," + cells[8]);
    at = end + 1;
  }
  std::sort(points.begin(), points.end());
  std::string found;
  for (const std::string& p : points) found += p + "\n";
  EXPECT_EQ(found, std::string("50.203158333333334,8.806166666666666\n"
                               "50.36980833333333,8.806166666666666\n"
                               "50.369825,8.7895\n"
                               "50.38158333333333,8.806166666666666\n"
                               "50.53615833333333,8.806166666666666\n"
                               "50.536458333333336,8.806166666666666\n"
                               "50.536475,8.7895\n"
                               "50.53649166666667,8.772833333333333\n"
                               "50.54808333333333,8.806166666666666\n"
                               "50.54825,8.7895\n"
                               "50.70280833333333,8.806166666666666\n"
                               "50.702825,8.7895\n"
                               "50.70310833333333,8.806166666666666\n"
                               "50.703125,8.7895\n"
                               "50.70314166666667,8.772833333333333\n"
                               "50.703158333333334,8.756166666666667\n"
                               "50.71158333333333,8.806166666666666\n"
                               "50.71458333333333,8.806166666666666\n"
                               "50.71475,8.7895\n"
                               "50.71491666666667,8.772833333333333\n"
                               "50.86915833333333,8.806166666666666\n"
                               "50.869458333333334,8.806166666666666\n"
                               "50.869475,8.7895\n"
                               "50.86949166666667,8.772833333333333\n"
                               "50.86975833333333,8.806166666666666\n"
                               "50.869775,8.7895\n"
                               "50.869791666666664,8.772833333333333\n"
                               "50.86980833333333,8.756166666666667\n"
                               "50.869825,8.7395\n"
                               "50.878083333333336,8.806166666666666\n"
                               "50.87825,8.7895\n"
                               "50.881083333333336,8.806166666666666\n"
                               "50.88125,8.7895\n"
                               "50.88141666666667,8.772833333333333\n"
                               "50.88158333333333,8.756166666666667\n"));
}

// A pattern's mistakes stop the search before anything runs, and a script
// may come first: the pattern then reads the variables the script sets.
TEST_F(Vary, TheFinalsMistakesAndAScriptBeforeIt) {
  const Result unclosed =
      Orbelin({"vary", "--final", "N 48\xC2\xB0 1(A+B.CD E 011\xC2\xB0 3E.FGH", "--set", "A=0..9"});
  EXPECT_EQ(unclosed.status, 2);
  EXPECT_TRUE(Contains(unclosed.err, "is not closed")) << unclosed.err;
  const Result unset =
      Orbelin({"vary", "--final", "N 48\xC2\xB0 1A.BCD E 011\xC2\xB0 3E.FGH", "--set", "A=0..9"});
  EXPECT_EQ(unset.status, 2);
  EXPECT_TRUE(Contains(unset.err, "uses B, but it is given no values: add --set B=0..9"))
      << unset.err;
  const Result sum = Orbelin({"vary", "x.inp", "--set", "A=0..9", "--digit-sum", "41"});
  EXPECT_EQ(sum.status, 2);
  EXPECT_TRUE(Contains(sum.err, "--digit-sum needs --final")) << sum.err;

  // Saved as the window saves it: the text ends with a NUL byte, and the
  // pattern's statements must still run.
  WriteBytes(dir_ / "stages.inp", std::string("VAR B, C, D;\r\nB = 3; C = 4; D = 7;\r\n\0", 37));
  const Result both =
      Orbelin({"vary", Path("stages.inp"), "--final", "N 48\xC2\xB0 1A.BCD E 011\xC2\xB0 3E.FGH",
               "--set", "A=4", "--set", "E=0", "--set", "F=5", "--set", "G=0", "--set", "H=0..1"});
  EXPECT_EQ(both.status, 0) << both.err;
  EXPECT_EQ(both.out,
            "values               point\n"
            "A=4 E=0 F=5 G=0 H=0  N 48\xC2\xB0 14.347 E 011\xC2\xB0 30.500\n"
            "A=4 E=0 F=5 G=0 H=1  N 48\xC2\xB0 14.347 E 011\xC2\xB0 30.501\n");
}

TEST_F(Vary, MistakesStopItBeforeAnythingRuns) {
  WriteBytes(dir_ / "f.inp", "VAR A, B, CHK;\r\nCHK = A + B;\r\n");
  const std::string f = Path("f.inp");
  struct Case {
    std::vector<std::string> args;
    std::string said;
  } cases[] = {
      {{"vary", f}, "orbelin: vary needs values to try, as in --set A=0..9\nUsage:"},
      {{"vary", "--set", "A=1"}, "orbelin: vary needs a script"},
      {{"vary", f, "--set", "A"}, "orbelin: values are given as NAME=VALUES"},
      {{"vary", f, "--set", "A=9..0"}, "orbelin: in 'A=9..0': the range '9..0' is empty"},
      {{"vary", f, "--set", "Q=1..3"},
       "orbelin: there is no variable Q to give values to: the script's VAR line declares A, "
       "B, CHK.\n"},
      {{"vary", f, "--set", "COS=1..3"},
       "orbelin: there is no variable COS to give values to: COS is a keyword of the "
       "language.\n"},
      {{"vary", f, "--set", "A=0..9999", "--set", "B=0..9999"},
       "orbelin: the values give 100,000,000 combinations (10,000 \xC3\x97 10,000); at most "
       "10,000,000 can be tried: give fewer values.\n"},
      {{"vary", f, "--set", "A=1", "--where", "X=1", "--show", "Y"},
       "orbelin: there is no variable X for the condition X=1: the script's VAR line declares "
       "A, B, CHK.\norbelin: there is no variable Y to show"},
      {{"vary", f, "--set", "A=1", "--within", "1km"}, "orbelin: --within needs --near"},
      {{"vary", f, "--set", "A=1", "--near", "N 48\xC2\xB0 12.5"},
       "orbelin: --near: 'N 48\xC2\xB0 12.5' is no point: the longitude is missing"},
      // The latitude is wrong, not the longitude's missing degree sign.
      {{"vary", f, "--set", "A=1", "--near", "N 91\xC2\xB0 0 E 0"},
       "orbelin: --near: 'N 91\xC2\xB0 0 E 0' is no point: the pair is not a place on the Earth: "
       "the latitude is 91, beyond"},
      {{"vary", f, "--set", "A=1", "--near", "48 11", "--within", "3"},
       "orbelin: --within: '3' is no distance"},
      {{"vary", f, "--set", "A=1", "-j", "0"}, "orbelin: --jobs needs a number of cores"},
      {{"vary", f, "--set", "A=1", "--bogus"}, "orbelin: unknown option '--bogus' for vary"},
      {{"vary", Path("missing"), "--set", "A=1"},
       "orbelin: cannot read the script " + Path("missing.inp") + ": No such file or directory."},
      {{"vary", f, "--set", "A=1", "--csv", f},
       "orbelin: the script " + f + " would be overwritten"},
  };
  for (const Case& c : cases) {
    const Result r = Orbelin(c.args);
    EXPECT_EQ(r.status, 2) << c.said;
    EXPECT_TRUE(r.err.starts_with(c.said)) << r.err;
    EXPECT_EQ(r.out, "");
  }
  EXPECT_EQ(ReadBytes(dir_ / "f.inp"), "VAR A, B, CHK;\r\nCHK = A + B;\r\n");

  Result r = Orbelin({"vary", "--help"});
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(r.out.starts_with("Usage: orbelin vary SCRIPT --set NAME=VALUES... [OPTIONS]\n"));
  EXPECT_TRUE(Contains(r.out, "Example:")) << r.out;
  r = Orbelin({"--help"});
  EXPECT_TRUE(Contains(r.out, "orbelin vary SCRIPT --set NAME=VALUES... [OPTIONS]\n")) << r.out;
  r = Orbelin({"help", "vary"});
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(r.out.starts_with("Trying every value\n")) << r.out;
}

// The script's own warnings and errors, said once for the first
// combination; a search whose every run has errors ends with status 1.
TEST_F(Vary, TheScriptsDiagnosticsAndStatus) {
  WriteBytes(dir_ / "w.inp", "VAR A, B;\r\nB = 3;\r\nOLAT = A; OLON = B;\r\n");
  Result r = Orbelin({"vary", Path("w.inp"), "--set", "A=0..1", "--set", "B=0..1"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out,
            "values      point\n"
            "A=0 B=0..1  N 00\xC2\xB0 00.000 E 003\xC2\xB0 00.000\n"
            "A=1 B=0..1  N 01\xC2\xB0 00.000 E 003\xC2\xB0 00.000\n");
  EXPECT_TRUE(r.err.starts_with("orbelin: the first combination, A=0 B=0, says:\n" + Path("w.inp") +
                                ":2:1: warning: B is being tried, but the script assigns it "
                                "here\n     2 | B = 3;\n       | ^\n"
                                "hint: the assignment wins: take it out to try the values of "
                                "B\n4 combinations tried in "))
      << r.err;

  WriteBytes(dir_ / "e.inp", "VAR A;\r\nWRITE B;\r\n");
  r = Orbelin({"vary", Path("e.inp"), "--set", "A=0..2"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_TRUE(Contains(r.err, ":2:8: error: indent name unknown (E111)")) << r.err;
  // The error is not the values': the search stops at the first run.
  EXPECT_TRUE(r.err.ends_with(
      "Stopped after 1 of 3 combinations: the script has an error that no value tried can "
      "change, so every combination has it. Mend the error the script's first combination "
      "shows, then try again.\nKept: 0 runs.\nDropped: 1 had errors.\n"))
      << r.err;
}

// On a terminal a progress bar counts the combinations; Ctrl+C stops the
// search and lists what was found so far.
TEST_F(Vary, ProgressOnATerminalAndCtrlC) {
  WriteBytes(dir_ / "long.inp", "VAR A;\r\nOLAT = A / 1000;\r\nOLON = 0;\r\n");
  int terminal = -1;
  const pid_t pid = forkpty(&terminal, nullptr, nullptr, nullptr);
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    // The table goes to a file, standard error stays on the terminal.
    dup2(open((dir_ / "stdout").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666), 1);
    setenv("TERM", "xterm", 1);
    execl(ORBELIN_BINARY_DIR "/orbelin", "orbelin", "vary", (dir_ / "long.inp").c_str(), "--set",
          "A=0..9999999", "--where", "A=0..2", nullptr);
    _exit(127);
  }
  std::string said;
  char buffer[4096];
  bool interrupted = false;
  for (ssize_t n; (n = read(terminal, buffer, sizeof buffer)) > 0;) {
    said.append(buffer, static_cast<size_t>(n));
    // Once the bar is there, the search runs: as a user would, press Ctrl+C.
    if (!interrupted && Contains(said, " of 10,000,000")) {
      kill(pid, SIGINT);
      interrupted = true;
    }
  }
  close(terminal);
  int raw = 0;
  waitpid(pid, &raw, 0);
  ASSERT_TRUE(interrupted) << said;
  EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 130) << raw << said;
  EXPECT_TRUE(Contains(said, "\r[")) << said;
  EXPECT_TRUE(Contains(said, "Stopped after ")) << said;
  EXPECT_TRUE(Contains(said, " of 10,000,000 combinations (")) << said;
  EXPECT_TRUE(Contains(said, "Kept: 3 runs.")) << said;
  EXPECT_EQ(ReadBytes(dir_ / "stdout"),
            "values  point\n"
            "A=0     N 00\xC2\xB0 00.000 E 000\xC2\xB0 00.000\n"
            "A=1     N 00\xC2\xB0 00.060 E 000\xC2\xB0 00.000\n"
            "A=2     N 00\xC2\xB0 00.120 E 000\xC2\xB0 00.000\n");
}

}  // namespace
}  // namespace orbelin::testing
