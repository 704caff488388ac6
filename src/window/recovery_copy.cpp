#include "window/recovery_copy.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <utility>

#include "frontend/file_io.h"
#include "frontend/lost_characters.h"
#include "frontend/script_bytes.h"

namespace orbelin {

namespace {

constexpr const char* kCopyTag = "copy";
constexpr const char* kEndedTag = "ended";

bool IsFile(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0;
}

// The stem of a note's name ("Orbelin-unsaved-TAG.txt" or the untagged
// "Orbelin-unsaved.txt" of older versions), or "" for any other name.
std::string NoteStem(const std::string& name) {
  const std::string stem(kRecoveryStem);
  if (name.size() < 4 || name.compare(name.size() - 4, 4, ".txt") != 0) return "";
  const std::string base = name.substr(0, name.size() - 4);
  if (base == stem) return base;
  if (base.size() > stem.size() + 1 && base.compare(0, stem.size() + 1, stem + "-") == 0) {
    return base;
  }
  return "";
}

}  // namespace

RecoveryCopy::RecoveryCopy(RecoveryCopy&& other) noexcept
    : stem_(std::move(other.stem_)), lock_fd_(std::exchange(other.lock_fd_, -1)) {}

RecoveryCopy& RecoveryCopy::operator=(RecoveryCopy&& other) noexcept {
  if (this != &other) {
    Release();
    stem_ = std::move(other.stem_);
    lock_fd_ = std::exchange(other.lock_fd_, -1);
  }
  return *this;
}

RecoveryCopy::~RecoveryCopy() {
  Release();
}

void RecoveryCopy::Release() {
  if (lock_fd_ < 0) return;
  // Without a note there is nothing for the next start to find.
  if (!IsFile(note_path())) unlink(lock_path().c_str());
  close(lock_fd_);
  lock_fd_ = -1;
}

RecoveryCopy RecoveryCopy::Claim(const std::string& folder) {
  RecoveryCopy copy;
  const std::string base = folder + kRecoveryStem + "-" + std::to_string(getpid());
  for (int n = 1; n <= 1000; ++n) {
    copy.stem_ = n == 1 ? base : base + "-" + std::to_string(n);
    // A tag that an orphan of a window with the same process number still
    // has is not taken over.
    if (IsFile(copy.text_path()) || IsFile(copy.note_path())) continue;
    const int fd = open(copy.lock_path().c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      // No lock can be had here: the copy is still written, unguarded.
      return copy;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
      close(fd);
      continue;
    }
    copy.lock_fd_ = fd;
    return copy;
  }
  return copy;
}

std::vector<RecoveryCopy> RecoveryCopy::FindOrphans(const std::string& folder) {
  std::vector<std::pair<std::time_t, std::string>> stems;
  if (DIR* dir = opendir(folder.c_str())) {
    while (const dirent* entry = readdir(dir)) {
      const std::string stem = NoteStem(entry->d_name);
      if (stem.empty()) continue;
      struct stat st;
      if (lstat((folder + stem + ".txt").c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
      stems.emplace_back(st.st_mtime, folder + stem);
    }
    closedir(dir);
  }
  std::sort(stems.begin(), stems.end());
  std::vector<RecoveryCopy> orphans;
  for (const auto& [time, stem] : stems) {
    RecoveryCopy copy;
    copy.stem_ = stem;
    const int fd = open(copy.lock_path().c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) continue;
    // Held by a window that is still open (this one's included).
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
      close(fd);
      continue;
    }
    copy.lock_fd_ = fd;
    // Its window may have removed it meanwhile.
    if (!IsFile(copy.note_path())) continue;
    orphans.push_back(std::move(copy));
  }
  return orphans;
}

std::error_code RecoveryCopy::Write(const std::string& box_text, const std::string& script) {
  // The note first: a copy without its note would never be offered.
  if (stem_.empty()) return std::make_error_code(std::errc::no_such_file_or_directory);
  if (std::error_code error =
          ReplaceFile(note_path(), std::string(kCopyTag) + "\n" + script + "\n")) {
    return error;
  }
  const std::string bytes = CharactersLostOnSave(box_text).empty()
                                ? ScriptFileFromBoxText(box_text)
                                : Utf8ScriptFileFromBoxText(box_text);
  // A copy is made again a few seconds later: it need not wait for the disk.
  return ReplaceFile(text_path(), bytes, {.sync = false});
}

std::error_code RecoveryCopy::WriteEndedNote(const std::string& message, const std::string& file) {
  if (stem_.empty()) return std::make_error_code(std::errc::no_such_file_or_directory);
  unlink(text_path().c_str());
  return ReplaceFile(note_path(), std::string(kEndedTag) + "\n" + message + "\n" + file + "\n");
}

std::optional<RecoveryNote> RecoveryCopy::ReadNote() const {
  if (stem_.empty()) return std::nullopt;
  const std::optional<std::string> bytes = ReadWholeFile(note_path());
  if (!bytes) return std::nullopt;
  std::vector<std::string> lines;
  for (size_t start = 0; start < bytes->size();) {
    size_t end = bytes->find('\n', start);
    if (end == std::string::npos) end = bytes->size();
    lines.push_back(bytes->substr(start, end - start));
    start = end + 1;
  }
  if (lines.size() < 2) return std::nullopt;
  if (lines[0] == kCopyTag) return RecoveryNote{RecoveryNote::kCopy, lines[1], ""};
  if (lines[0] == kEndedTag) {
    return RecoveryNote{RecoveryNote::kEnded, lines[1], lines.size() > 2 ? lines[2] : ""};
  }
  return std::nullopt;
}

std::optional<std::string> RecoveryCopy::ReadText() const {
  if (stem_.empty()) return std::nullopt;
  const std::optional<std::string> bytes = ReadWholeFile(text_path());
  if (!bytes) return std::nullopt;
  return BoxTextFromScriptFile(*bytes);
}

void RecoveryCopy::Remove() {
  if (stem_.empty()) return;
  unlink(text_path().c_str());
  unlink(note_path().c_str());
}

}  // namespace orbelin
