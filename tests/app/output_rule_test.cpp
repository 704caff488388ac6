// Every file the command line writes goes through one rule: never over an
// input, never two outputs on one file, never through a link, and a failed
// write is a failure. Each case is a way the commands once lost data with
// status 0.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>

#include <map>

#include "cli_fixture.h"

namespace orbelin::testing {
namespace {

using OutputRule = Cli;

// Every file under `dir` with its bytes (a link: where it points), but for
// the fixture's own standard streams.
std::map<std::string, std::string> Snapshot(const fs::path& dir) {
  std::map<std::string, std::string> files;
  for (const auto& e : fs::recursive_directory_iterator(dir)) {
    const std::string name = fs::relative(e.path(), dir).string();
    if (name == "stdin" || name == "stdout" || name == "stderr") continue;
    if (e.is_symlink()) {
      files[name] = "-> " + fs::read_symlink(e.path()).string();
    } else if (e.is_directory()) {
      files[name] = "folder";
    } else {
      files[name] = ReadBytes(e.path());
    }
  }
  return files;
}

TEST_F(OutputRule, RefusedBeforeAnythingRunsAndEveryFileStaysAsItWas) {
  const std::string script = "VAR A;\nOLAT = 1; OLON = 2;\n";
  fs::create_directories(dir_ / "w/d1");
  fs::create_directories(dir_ / "w/d2");
  fs::create_directories(dir_ / "w/l");
  WriteBytes(dir_ / "victim.txt", "someone's file\n");
  for (const char* name :
       {"w/g.inp", "w/x.inp", "w/y.inp", "w/d1/x.inp", "w/d2/x.inp", "w/l/x.inp", "w/l/y.inp"}) {
    WriteBytes(dir_ / name, script);
  }
  WriteBytes(dir_ / "w/t.inp", "VAR A;\nOLAT = A; OLON = 2;\n");
  // A folder unpacked from someone's archive: links in the outputs' places.
  fs::create_symlink("../../victim.txt", dir_ / "w/l/x.res");
  fs::create_symlink("../../victim.txt", dir_ / "w/l/y.lst");
  fs::create_symlink("../../victim.txt", dir_ / "w/l/link.out");
  fs::create_symlink("nowhere", dir_ / "w/l/dangling.csv");
  const auto P = [&](const std::string& name) { return Path("w/" + name); };

  struct Case {
    std::vector<std::string> args;
    std::string said;
  } cases[] = {
      {{"run", "--gpx", P("g.inp"), P("g")},
       "the script " + P("g.inp") + " would be overwritten by the GPX file (--gpx)."},
      {{"run", "--gpx", P("y.inp"), P("x.inp"), P("y.inp")},
       "the script " + P("y.inp") + " would be overwritten by the GPX file (--gpx)."},
      {{"run", "--gpx", P("x.res"), P("x.inp")},
       "the results of " + P("x.inp") + " and the GPX file (--gpx) would both be written to " +
           P("x.res")},
      {{"run", "--gpx", P("x.lst"), P("x.inp")},
       "the listing of " + P("x.inp") + " and the GPX file (--gpx) would both be written"},
      {{"vary", P("t.inp"), "--set", "A=0..2", "--csv", P("a.x"), "--gpx", Path("w/./a.x")},
       "the CSV file (--csv) and the GPX file (--gpx) would both be written to"},
      {{"run", P("l/x.inp")},
       "the results of " + P("l/x.inp") + " would go to " + P("l/x.res") +
           ", a symbolic link to ../../victim.txt: Orbelin writes no output through a link"},
      {{"run", P("l/y.inp")}, "the listing of " + P("l/y.inp") + " would go to " + P("l/y.lst")},
      {{"run", "--no-files", "--gpx", P("l/link.out"), P("x.inp")},
       "the GPX file (--gpx) would go to " + P("l/link.out") + ", a symbolic link"},
      {{"vary", P("t.inp"), "--set", "A=0..2", "--csv", P("l/link.out")},
       "the CSV file (--csv) would go to " + P("l/link.out") + ", a symbolic link"},
      {{"vary", P("t.inp"), "--set", "A=0..2", "--gpx", P("l/dangling.csv")},
       "the GPX file (--gpx) would go to " + P("l/dangling.csv") +
           ", a symbolic link to nowhere (which does not exist)"},
      {{"run", "--output-dir", P("out"), P("d1/x.inp"), P("d2/x.inp")},
       "the scripts " + P("d1/x.inp") + " and " + P("d2/x.inp") +
           " would both write their results to " + P("out") + "/x.res"},
      {{"run", "--output-dir", P("out"), "-e", "WRITE 1;", "-e", "WRITE 2;"},
       "the scripts -e 'WRITE 1;' and -e 'WRITE 2;' would both write their results to"},
      {{"run", P("x.inp"), P("x.inp")}, "the script " + P("x.inp") + " is named twice"},
  };
  const std::map<std::string, std::string> before = Snapshot(dir_);
  for (const Case& c : cases) {
    const Result r = Orbelin(c.args);
    EXPECT_EQ(r.status, 2) << c.said;
    EXPECT_EQ(r.out, "") << c.said;
    EXPECT_TRUE(r.err.starts_with("orbelin: " + c.said)) << r.err << "\nwants\n" << c.said;
    EXPECT_TRUE(
        r.err.ends_with(c.args[0] == "run" ? " Nothing was run.\n" : " Nothing was tried.\n"))
        << r.err;
    EXPECT_EQ(Snapshot(dir_), before) << c.said;
  }
}

// Standard output the way the command meets it: full, closed, or a pipe
// whose reader has gone (with SIGPIPE ignored, as some parents leave it).
Result WithStandardOutput(const fs::path& dir, const std::string& how,
                          const std::vector<std::string>& args) {
  int pipe_ends[2] = {-1, -1};
  if (how == "gone" && pipe(pipe_ends) != 0) return {-1, "", ""};
  const std::string err = (dir / "stderr").string();
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666), 2);
    if (how == "full") dup2(open("/dev/full", O_WRONLY), 1);
    if (how == "closed") close(1);
    if (how == "gone") {
      signal(SIGPIPE, SIG_IGN);
      close(pipe_ends[0]);
      dup2(pipe_ends[1], 1);
    }
    std::vector<std::string> argv = {ORBELIN_BINARY_DIR "/orbelin"};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> c;
    for (std::string& a : argv) c.push_back(a.data());
    c.push_back(nullptr);
    execv(c[0], c.data());
    _exit(127);
  }
  if (how == "gone") {
    close(pipe_ends[0]);
    close(pipe_ends[1]);
  }
  int raw = 0;
  waitpid(pid, &raw, 0);
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, "", ReadBytes(err)};
}

// What a command prints is its result: when it cannot be written, the
// command fails and says so. A reader that went away is no one to tell.
TEST_F(OutputRule, AFailedWriteOnStandardOutputIsAFailure) {
  WriteBytes(dir_ / "t.inp", "VAR A;\nOLAT = A; OLON = 2;\nWRITE A;\n");
  const std::vector<std::vector<std::string>> commands = {
      {"run", "--no-files", Path("t.inp")},
      {"run", "--output-dir", Path("out"), "-e", "WRITE 1;"},
      {"vary", Path("t.inp"), "--set", "A=0..2"},
      {"help"},
      {"help", "CBP"},
      {"--help"},
      {"--version"},
  };
  for (const auto& args : commands) {
    const std::string command = args[0] + " " + args[1 % args.size()];
    Result r = WithStandardOutput(dir_, "full", args);
    EXPECT_EQ(r.status, 2) << command;
    EXPECT_TRUE(Contains(r.err,
                         "orbelin: cannot write to standard output: No space left on "
                         "device.\n"))
        << command << ": " << r.err;
    r = WithStandardOutput(dir_, "closed", args);
    EXPECT_EQ(r.status, 2) << command;
    EXPECT_TRUE(Contains(r.err, "orbelin: cannot write to standard output: Bad file descriptor."))
        << command << ": " << r.err;
    r = WithStandardOutput(dir_, "gone", args);
    EXPECT_EQ(r.status, 0) << command;
    EXPECT_FALSE(Contains(r.err, "standard output")) << command << ": " << r.err;
  }
  // With standard output closed, no file the run opens takes its place.
  EXPECT_EQ(ReadBytes(dir_ / "out" / "command-line.res"), "1\n");
}

// The listing is a file the run promised, as the results are: one that
// cannot be written fails the run; the results written stay.
TEST_F(OutputRule, AListingThatCannotBeWrittenFailsTheRun) {
  WriteBytes(dir_ / "x.inp", "WRITE 5;");
  fs::create_directories(dir_ / "x.lst");
  const Result r = Orbelin({"run", Path("x.inp")});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "5\n");
  EXPECT_EQ(r.err, "orbelin: cannot write the listing " + Path("x.lst") + ": Is a directory.\n");
  EXPECT_EQ(ReadBytes(dir_ / "x.res"), "5\n");
}

}  // namespace
}  // namespace orbelin::testing
