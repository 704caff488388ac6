// Small file helpers for the shell tests: a temporary folder that removes
// itself, whole-file reads and writes, and running a check as an
// unprivileged user (root may write to read-only files, so permission tests
// drop to "nobody" when run as root).
#pragma once

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "file_bytes.h"

namespace orbelin::testing {

class TempFolder {
 public:
  TempFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "orbelin-shell-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
    // Readable by the unprivileged user of RunUnprivileged.
    chmod(path_.c_str(), 0755);
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder with a trailing '/'.
  std::string folder() const { return path_ + "/"; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

inline int FileCount(const std::string& folder) {
  int n = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder)) ++n;
  return n;
}

// Runs `check` in a child process and returns its result; false when the
// child does not end within `seconds` (so a check that hangs fails instead
// of hanging the test). With `unprivileged`, a root child becomes "nobody"
// first, a user who cannot write read-only files.
inline bool RunInChild(const std::function<bool()>& check, bool unprivileged = false,
                       unsigned seconds = 10) {
  pid_t pid = fork();
  if (pid < 0) return false;
  if (pid == 0) {
    alarm(seconds);
    if (unprivileged && geteuid() == 0 &&
        (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0)) {
      _exit(3);
    }
    _exit(check() ? 0 : 1);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Runs `check` as a user who cannot write read-only files and returns its
// result: in a child process as "nobody" when this process is root.
inline bool RunUnprivileged(const std::function<bool()>& check) {
  if (geteuid() != 0) return check();
  return RunInChild(check, true);
}

}  // namespace orbelin::testing
