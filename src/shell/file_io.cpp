#include "shell/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace orbelin {

namespace {

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

// The file a write to `path` should land in: a link's target when the link
// resolves, else the path itself.
std::string WriteTarget(const std::string& path) {
  struct stat st;
  if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
  char* real = realpath(path.c_str(), nullptr);
  if (real == nullptr) return path;
  std::string target = real;
  std::free(real);
  return target;
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path) {
  if (path.empty()) return std::nullopt;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) return std::nullopt;
  std::string bytes;
  char buffer[8192];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
  bool failed = std::ferror(f) != 0;
  std::fclose(f);
  if (failed) return std::nullopt;
  return bytes;
}

bool ReplaceFile(const std::string& path, std::string_view bytes) {
  if (path.empty()) return false;
  const std::string target = WriteTarget(path);

  struct stat old;
  const bool exists = stat(target.c_str(), &old) == 0;
  if (exists && (!S_ISREG(old.st_mode) || access(target.c_str(), W_OK) != 0)) return false;

  // O_EXCL never reuses a file; a name left by a crash is skipped.
  std::string temp;
  int fd = -1;
  for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
    temp = target + ".orbelin-" + std::to_string(getpid()) + "-" + std::to_string(attempt);
    fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return false;
  }
  if (fd < 0) return false;

  bool ok = WriteAll(fd, bytes);
  if (ok && exists) ok = fchmod(fd, old.st_mode & 07777) == 0;
  if (ok) ok = fsync(fd) == 0;
  if (close(fd) != 0) ok = false;
  if (ok) ok = std::rename(temp.c_str(), target.c_str()) == 0;
  if (!ok) unlink(temp.c_str());
  return ok;
}

}  // namespace orbelin
