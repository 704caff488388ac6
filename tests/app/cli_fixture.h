// The command line as a black box: a fixture that runs build/orbelin in a
// scratch folder of its own and collects its exit status and output.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "file_bytes.h"

namespace orbelin::testing {

namespace fs = std::filesystem;

struct Result {
  int status;
  std::string out, err;
};

class Cli : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::path(::testing::TempDir()) /
           ("cli." + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
            "." + std::to_string(getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::permissions(dir_ / "ro", fs::perms::owner_all, ignored);
    fs::remove_all(dir_, ignored);
  }

  // Runs build/orbelin with these arguments and `input` on standard input,
  // as the user `uid` when given (tests that need permissions to hold); that
  // user runs a copy of the program in the test's folder, as the build
  // folder may be closed to others.
  Result Orbelin(const std::vector<std::string>& args, const std::string& input = "",
                 uid_t uid = 0) {
    std::string program = ORBELIN_BINARY_DIR "/orbelin";
    if (uid != 0) {
      fs::copy_file(program, dir_ / "orbelin", fs::copy_options::overwrite_existing);
      chmod((dir_ / "orbelin").c_str(), 0755);
      program = (dir_ / "orbelin").string();
    }
    WriteBytes(dir_ / "stdin", input);
    const std::string out = (dir_ / "stdout").string(), err = (dir_ / "stderr").string();
    const pid_t pid = fork();
    if (pid == 0) {
      int in = open((dir_ / "stdin").c_str(), O_RDONLY);
      dup2(in, 0);
      dup2(open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666), 1);
      dup2(open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666), 2);
      if (uid != 0 && (setgid(uid) != 0 || setuid(uid) != 0)) _exit(99);
      unsetenv("NO_COLOR");
      std::vector<std::string> argv = {program};
      argv.insert(argv.end(), args.begin(), args.end());
      std::vector<char*> c;
      for (std::string& a : argv) c.push_back(a.data());
      c.push_back(nullptr);
      execv(c[0], c.data());
      _exit(127);
    }
    int raw = 0;
    waitpid(pid, &raw, 0);
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadBytes(out), ReadBytes(err)};
  }

  std::string Path(const std::string& name) { return (dir_ / name).string(); }

  fs::path dir_;
};

inline bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

}  // namespace orbelin::testing
