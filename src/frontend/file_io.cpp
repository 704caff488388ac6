#include "frontend/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace orbelin {

namespace {

class FileErrorCategory : public std::error_category {
 public:
  enum Code { kNotARegularFile = 1, kALinkIsInTheWay = 2 };
  const char* name() const noexcept override { return "orbelin file"; }
  std::string message(int code) const override {
    return code == kALinkIsInTheWay
               ? "it is a symbolic link, which Orbelin does not write through there"
               : "not a regular file (a pipe, a device or a socket)";
  }
};

const FileErrorCategory& FileErrors() {
  static const FileErrorCategory category;
  return category;
}

std::error_code Errno(int error) {
  return error == 0 ? std::error_code() : std::error_code(error, std::generic_category());
}

// Reads from the current offset to the end; 0 or the errno. `expected` (the
// size the file had a moment ago) is read straight into its place: a script
// may be megabytes long, and a growing buffer would copy it again and again.
int ReadAll(int fd, std::string* bytes, size_t expected = 0) {
  size_t have = bytes->size();
  bytes->resize(have + expected + 1);  // + 1: the read that finds the end
  for (;;) {
    if (have == bytes->size()) bytes->resize(bytes->size() + bytes->size() / 2 + 8192);
    ssize_t n = read(fd, bytes->data() + have, bytes->size() - have);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      bytes->resize(have);
      return n < 0 ? errno : 0;
    }
    have += static_cast<size_t>(n);
  }
}

// Writes all bytes at the current offset, or from `offset` when it is not
// negative; 0 or the errno.
int WriteAll(int fd, std::string_view bytes, off_t offset = -1) {
  while (!bytes.empty()) {
    ssize_t n = offset < 0 ? write(fd, bytes.data(), bytes.size())
                           : pwrite(fd, bytes.data(), bytes.size(), offset);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) return EIO;
    bytes.remove_prefix(static_cast<size_t>(n));
    if (offset >= 0) offset += n;
  }
  return 0;
}

// The file a write to `path` lands in: the links followed one by one, so
// that a link to a file that does not exist yet names that file.
std::string WriteTarget(const std::string& path) {
  std::string current = path;
  for (int depth = 0; depth < 40; ++depth) {
    struct stat st;
    if (lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
    std::string link(static_cast<size_t>(st.st_size > 0 ? st.st_size : 4096) + 1, '\0');
    ssize_t n = readlink(current.c_str(), link.data(), link.size());
    if (n < 0 || static_cast<size_t>(n) >= link.size()) return current;
    link.resize(static_cast<size_t>(n));
    if (link.empty() || link.front() != '/') {
      const size_t slash = current.rfind('/');
      link = (slash == std::string::npos ? "" : current.substr(0, slash + 1)) + link;
    }
    current = link;
  }
  return current;  // a loop of links: the write fails with ELOOP
}

// Writes the file where it is. The old bytes are read first, when the file
// may be read, and put back when the new ones cannot all be written.
std::error_code WriteInPlace(const std::string& target, std::string_view bytes,
                             const WriteOptions& options) {
  bool readable = true;
  const int flags = O_CLOEXEC | O_NONBLOCK | O_NOCTTY | (options.follow_links ? 0 : O_NOFOLLOW);
  int fd = open(target.c_str(), O_RDWR | flags);
  if (fd < 0 && errno == EACCES) {
    readable = false;
    fd = open(target.c_str(), O_WRONLY | flags);
  }
  if (fd < 0 && errno == ELOOP && !options.follow_links) return ALinkIsInTheWay();
  if (fd < 0) return Errno(errno);
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    return NotARegularFile();
  }
  std::string old_bytes;
  const bool have_old = readable && ReadAll(fd, &old_bytes, static_cast<size_t>(st.st_size)) == 0;

  int error = 0;
  // Room for all of the new bytes first, so that a full disk fails before
  // anything was changed.
  if (static_cast<off_t>(bytes.size()) > st.st_size &&
      fallocate(fd, 0, 0, static_cast<off_t>(bytes.size())) != 0 && errno != EOPNOTSUPP &&
      errno != ENOSYS) {
    error = errno;
  }
  if (error == 0) error = WriteAll(fd, bytes, 0);
  if (error == 0 && ftruncate(fd, static_cast<off_t>(bytes.size())) != 0) error = errno;
  if (error == 0 && options.sync && fsync(fd) != 0) error = errno;
  if (error != 0) {
    if (have_old && WriteAll(fd, old_bytes, 0) == 0) {
      (void)!ftruncate(fd, static_cast<off_t>(old_bytes.size()));
    } else {
      (void)!ftruncate(fd, st.st_size);
    }
  }
  if (close(fd) != 0 && error == 0) error = errno;
  return Errno(error);
}

// Writes the bytes into a new file beside `target` and renames it over the
// old one. Sets *in_place, and writes nothing, where that would lose the
// old file's owner or hard links or where the folder may not be written.
std::error_code WriteAndRename(const std::string& target, std::string_view bytes,
                               const struct stat* old, const WriteOptions& options,
                               bool* in_place) {
  *in_place = false;
  if (old != nullptr && old->st_nlink > 1) {
    *in_place = true;
    return {};
  }
  // O_EXCL never reuses a file; a name left by a crash is skipped.
  std::string temp;
  int fd = -1;
  for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
    const size_t slash = target.rfind('/') + 1;  // npos + 1 is 0
    temp = target.substr(0, slash) +
           NameThatFits(std::string_view(target).substr(slash),
                        ".orbelin-" + std::to_string(getpid()) + "-" + std::to_string(attempt));
    fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno == EEXIST) continue;
    if (old != nullptr && (errno == EACCES || errno == EPERM || errno == EROFS)) {
      *in_place = true;
      return {};
    }
    return Errno(errno);
  }
  if (fd < 0) return Errno(EEXIST);

  if (old != nullptr) {
    struct stat mine;
    if (fstat(fd, &mine) != 0 || ((mine.st_uid != old->st_uid || mine.st_gid != old->st_gid) &&
                                  fchown(fd, old->st_uid, old->st_gid) != 0)) {
      close(fd);
      unlink(temp.c_str());
      *in_place = true;
      return {};
    }
  }
  int error = 0;
  // After the owner, whose change clears the set-id bits.
  if (old != nullptr && fchmod(fd, old->st_mode & 07777) != 0) error = errno;
  if (error == 0) error = WriteAll(fd, bytes);
  if (error == 0 && options.sync && fsync(fd) != 0) error = errno;
  if (close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && std::rename(temp.c_str(), target.c_str()) != 0) error = errno;
  if (error != 0) unlink(temp.c_str());
  return Errno(error);
}

}  // namespace

std::error_code NotARegularFile() {
  return std::error_code(FileErrorCategory::kNotARegularFile, FileErrors());
}

std::error_code ALinkIsInTheWay() {
  return std::error_code(FileErrorCategory::kALinkIsInTheWay, FileErrors());
}

std::optional<std::string> ReadWholeFile(const std::string& path, std::error_code* error) {
  std::error_code unused;
  if (error == nullptr) error = &unused;
  error->clear();
  if (path.empty()) {
    *error = Errno(ENOENT);
    return std::nullopt;
  }
  // Looked at before it is opened: opening a device may already do something.
  struct stat st;
  if (stat(path.c_str(), &st) != 0) {
    *error = Errno(errno);
    return std::nullopt;
  }
  if (!S_ISREG(st.st_mode)) {
    *error = S_ISDIR(st.st_mode) ? Errno(EISDIR) : NotARegularFile();
    return std::nullopt;
  }
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) {
    *error = Errno(errno);
    return std::nullopt;
  }
  std::string bytes;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    *error = NotARegularFile();
  } else {
    *error = Errno(ReadAll(fd, &bytes, static_cast<size_t>(st.st_size)));
  }
  close(fd);
  if (*error) return std::nullopt;
  return bytes;
}

std::error_code ReplaceFile(const std::string& path, std::string_view bytes, WriteOptions options) {
  if (path.empty()) return Errno(ENOENT);
  if (!options.follow_links) {
    struct stat st;
    if (lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) return ALinkIsInTheWay();
  }
  const std::string target = options.follow_links ? WriteTarget(path) : path;

  struct stat old;
  const bool exists = stat(target.c_str(), &old) == 0;
  if (!exists && errno != ENOENT) return Errno(errno);
  if (exists) {
    if (S_ISDIR(old.st_mode)) return Errno(EISDIR);
    if (!S_ISREG(old.st_mode)) return NotARegularFile();
    if (faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) return Errno(errno);
  }
  bool in_place = false;
  std::error_code error =
      WriteAndRename(target, bytes, exists ? &old : nullptr, options, &in_place);
  if (!in_place) return error;
  return WriteInPlace(target, bytes, options);
}

std::error_code MakeFolders(const std::string& path) {
  if (path.empty()) return Errno(ENOENT);
  for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    const std::string folder = path.substr(0, slash);
    if (mkdir(folder.c_str(), 0777) != 0 && errno != EEXIST) return Errno(errno);
    if (slash == std::string::npos) break;
  }
  struct stat st;
  if (stat(path.c_str(), &st) != 0) return Errno(errno);
  return S_ISDIR(st.st_mode) ? std::error_code() : Errno(ENOTDIR);
}

std::error_code CheckReadable(const std::string& path) {
  if (path.empty()) return Errno(ENOENT);
  struct stat st;
  if (stat(path.c_str(), &st) != 0) return Errno(errno);
  if (S_ISDIR(st.st_mode)) return Errno(EISDIR);
  if (!S_ISREG(st.st_mode)) return NotARegularFile();
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return Errno(errno);
  close(fd);
  return {};
}

std::error_code CheckWritable(const std::string& path) {
  if (path.empty()) return Errno(ENOENT);
  struct stat st;
  if (stat(path.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) return Errno(EISDIR);
    if (!S_ISREG(st.st_mode)) return NotARegularFile();
    if (faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) return Errno(errno);
    return {};
  }
  if (errno != ENOENT) return Errno(errno);
  // A new file: its folder must let us create one. Created and removed
  // again, as nothing else answers for every file system (read-only mounts,
  // quotas, ACLs).
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return Errno(errno);
  close(fd);
  unlink(path.c_str());
  return {};
}

std::string NameThatFits(std::string_view stem, std::string_view suffix) {
  if (stem.size() + suffix.size() > kMaxNameBytes) {
    size_t keep = suffix.size() < kMaxNameBytes ? kMaxNameBytes - suffix.size() : 0;
    // Not inside a UTF-8 sequence: back to the byte that starts a character.
    while (keep > 0 && (static_cast<unsigned char>(stem[keep]) & 0xC0) == 0x80) --keep;
    stem = stem.substr(0, keep);
  }
  return std::string(stem) + std::string(suffix);
}

FileStamp StampOf(const std::string& path) {
  struct stat st;
  if (path.empty() || stat(path.c_str(), &st) != 0) return {};
  return {true, st.st_dev, st.st_ino, st.st_size,
          static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

bool IsRegularFile(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool Exists(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0;
}

bool SameFile(const std::string& a, const std::string& b) {
  struct stat sa, sb;
  return stat(a.c_str(), &sa) == 0 && stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
         sa.st_ino == sb.st_ino;
}

}  // namespace orbelin
