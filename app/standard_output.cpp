#include "standard_output.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "run_command.h"

namespace orbelin::cli {

bool StandardOutput::Write(std::string_view bytes) {
  if (error_ != 0) return false;
  // Whatever stdio holds goes first, so that the order stays.
  if (std::fflush(stdout) != 0) {
    error_ = errno != 0 ? errno : EIO;
    return false;
  }
  while (!bytes.empty()) {
    const ssize_t n = write(STDOUT_FILENO, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      error_ = n < 0 ? errno : EIO;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

int StandardOutput::Finish(int status) {
  errno = 0;
  if (error_ == 0 && (std::fflush(stdout) != 0 || std::ferror(stdout) != 0)) {
    error_ = errno != 0 ? errno : EIO;
  }
  if (error_ == 0 || error_ == EPIPE) return status;
  std::fprintf(stderr, "orbelin: cannot write to standard output: %s.\n", std::strerror(error_));
  return kExitTrouble;
}

void GuardStandardStreams() {
  for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
    if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    const int opened = open("/dev/null", fd == STDIN_FILENO ? O_WRONLY : O_RDONLY);
    if (opened >= 0 && opened != fd) {
      dup2(opened, fd);
      close(opened);
    }
  }
}

}  // namespace orbelin::cli
