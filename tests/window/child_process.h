// Starting the window program and its helpers as child processes in tests:
// an environment of our own, stdout to a file, waiting with a time limit.
#pragma once

#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

extern char** environ;

namespace orbelin::testing {

// The user the tests run the window as where permissions matter: "nobody"
// when the tests run as root (who may write any file), else the user.
inline bool RunsAsNobody() {
  return geteuid() == 0;
}
inline constexpr uid_t kNobody = 65534;
inline constexpr gid_t kNoGroup = 65534;

struct ChildOptions {
  std::string output_file = "/dev/null";  // standard output
  std::string error_file;                 // standard error, "" to keep the test's
  bool unprivileged = false;              // as "nobody" when RunsAsNobody()
};

class ChildProcess {
 public:
  // `env` entries replace the inherited ones; an empty value removes one.
  ChildProcess(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env,
               const std::string& output_file = "/dev/null")
      : ChildProcess(argv, env, ChildOptions{output_file, "", false}) {}
  ChildProcess(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env,
               const ChildOptions& options) {
    const std::string& output_file = options.output_file;
    const std::string& error_file = options.error_file;
    std::vector<std::string> environment;
    for (char** e = environ; *e != nullptr; ++e) {
      std::string entry = *e;
      if (env.count(entry.substr(0, entry.find('='))) == 0) environment.push_back(entry);
    }
    for (const auto& [key, value] : env) {
      if (!value.empty()) environment.push_back(key + "=" + value);
    }
    std::vector<char*> args, envp;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    for (const std::string& e : environment) envp.push_back(const_cast<char*>(e.c_str()));
    args.push_back(nullptr);
    envp.push_back(nullptr);

    const pid_t parent = getpid();
    pid_ = fork();
    if (pid_ == 0) {
      int out = open(output_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (out >= 0) dup2(out, 1);
      if (!error_file.empty()) {
        int err = open(error_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (err >= 0) dup2(err, 2);
      }
      // (setpriv would do as well, but a change of user clears the death
      // signal below, so the user is changed here, before it is set.)
      if (options.unprivileged && RunsAsNobody() &&
          (setgroups(0, nullptr) != 0 || setgid(kNoGroup) != 0 || setuid(kNobody) != 0)) {
        _exit(126);
      }
      // A test that dies takes its children along, so that nothing is left
      // holding the test runner's output open.
      prctl(PR_SET_PDEATHSIG, SIGKILL);
      if (getppid() != parent) _exit(125);  // the test died before that
      // Signals blocked by the test runner must not stay blocked in the child.
      sigset_t none;
      sigemptyset(&none);
      sigprocmask(SIG_SETMASK, &none, nullptr);
      execve(args[0], args.data(), envp.data());
      _exit(127);
    }
  }
  ~ChildProcess() {
    if (pid_ > 0 && !status_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  pid_t pid() const { return pid_; }
  bool Running() { return pid_ > 0 && !Poll(); }
  void Signal(int signal_number) {
    if (pid_ > 0 && !status_) kill(pid_, signal_number);
  }

  // The exit status, or nothing when it did not end normally in time.
  std::optional<int> Wait(std::chrono::milliseconds limit = std::chrono::seconds(20)) {
    auto end = std::chrono::steady_clock::now() + limit;
    while (!Poll() && std::chrono::steady_clock::now() < end) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (!status_ || !WIFEXITED(*status_)) return std::nullopt;
    return WEXITSTATUS(*status_);
  }

 private:
  bool Poll() {
    if (status_) return true;
    int status = 0;
    if (pid_ <= 0 || waitpid(pid_, &status, WNOHANG) != pid_) return false;
    status_ = status;
    return true;
  }

  pid_t pid_ = -1;
  std::optional<int> status_;
};

// A folder that every user may enter, for what "nobody" must read or run:
// the source and build folders may be closed to others (a clone in root's
// home). Made on first use, removed when the test program ends.
class SharedFolder {
 public:
  static const std::string& Path() {
    static SharedFolder folder;
    return folder.path_;
  }

 private:
  SharedFolder() {
    char pattern[] = "/tmp/orbelin-shared-XXXXXX";
    if (mkdtemp(pattern) != nullptr) {
      path_ = pattern;
      chmod(pattern, 0755);
    }
  }
  ~SharedFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  std::string path_;
};

// A file (or a folder with its contents) copied once into the shared folder;
// its path there, or "" when it could not be copied.
inline std::string SharedCopy(const std::string& path) {
  namespace fs = std::filesystem;
  static std::map<std::string, std::string> copies;
  if (auto it = copies.find(path); it != copies.end()) return it->second;
  if (SharedFolder::Path().empty()) return "";
  const fs::path target = fs::path(SharedFolder::Path()) / fs::path(path).filename();
  std::error_code error;
  fs::copy(path, target, fs::copy_options::recursive | fs::copy_options::overwrite_existing, error);
  if (error) return "";
  return copies[path] = target.string();
}

// The window program as the user the window runs as can start it: the
// build's own, or for "nobody" a copy with the example scripts it looks for
// beside itself.
inline std::string ProgramForWindowUser(const std::string& program) {
  if (!RunsAsNobody()) return program;
  const std::string examples = std::filesystem::path(program).parent_path() / "examples";
  if (std::filesystem::is_directory(examples)) SharedCopy(examples);
  return SharedCopy(program);
}

// The leak checker's options for a child built with the sanitizers: the
// test's own, with the suppressions for the libraries under Qt by their full
// path. A relative path (as given from the top of the source tree) would be
// looked for in the test's working folder, and a file that is not found
// (or that "nobody" may not read) fails every window that leaves the
// libraries' allocations behind.
inline std::string ChildLeakOptions() {
  const char* set = std::getenv("LSAN_OPTIONS");
  std::string options;
  std::string_view rest = set != nullptr ? set : "";
  while (!rest.empty()) {
    const size_t end = rest.find(':');
    const std::string_view item = rest.substr(0, end);
    if (!item.empty() && !item.starts_with("suppressions=")) {
      options += std::string(item) + ":";
    }
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
  }
  const std::string suppressions = ORBELIN_SOURCE_DIR "/tests/window/lsan.supp";
  return options + "suppressions=" + (RunsAsNobody() ? SharedCopy(suppressions) : suppressions);
}

// The program's path on $PATH, or "" when it is not installed.
inline std::string FindOnPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  const std::string dirs = path != nullptr ? path : "/usr/bin:/bin";
  size_t start = 0;
  while (start <= dirs.size()) {
    size_t end = dirs.find(':', start);
    if (end == std::string::npos) end = dirs.size();
    const std::string candidate = dirs.substr(start, end - start) + "/" + name;
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
    start = end + 1;
  }
  return "";
}

// Waits until `done` holds, up to `limit`.
template <typename Predicate>
bool WaitFor(Predicate done, std::chrono::milliseconds limit = std::chrono::seconds(20)) {
  auto end = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

}  // namespace orbelin::testing
