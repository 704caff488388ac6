// Every file a front end reads or writes goes through here: scripts,
// results, listings, settings, GPX files and the hand-off file. Reads take
// whole regular files; writes give a file exactly the new bytes or leave it
// as it was, and say why when they cannot.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace orbelin {

// The error of a path that names a pipe, a device or a socket: reading
// would wait for a writer, or never end.
std::error_code NotARegularFile();
// The error of a symbolic link where a write must not follow one.
std::error_code ALinkIsInTheWay();

// The file's bytes, or nothing when it cannot be read, with the reason in
// *error. Only a regular file is read; a pipe or a device is refused before
// it is opened for reading, a folder with EISDIR. Opened for reading only,
// so a read-only file loads too.
std::optional<std::string> ReadWholeFile(const std::string& path, std::error_code* error = nullptr);

struct WriteOptions {
  // The new bytes are on the disk before the write returns. Scripts and
  // settings are the user's work; results and listings are made again by
  // the next Calc and need not wait for the disk.
  bool sync = true;
  // A symbolic link is written through to the file it names (a script the
  // user linked on purpose). Without it a link in the file's place is
  // refused: the hand-off file lies in a folder others may write, and a
  // link planted there must not make Orbelin overwrite its target.
  bool follow_links = true;
};

// Gives the file exactly these bytes, or leaves it as it was; returns the
// reason when it could not (an empty error_code when written).
//
// The bytes go to a new file beside the old one, which replaces it only once
// it is complete, when that keeps everything of the old file: its mode, its
// owner and group, and its other hard links. Where it would not, or where the
// folder may not be written, the file is written in place, and a failure
// half-way puts the old bytes back. A read-only file, a folder, a pipe or a
// device, and a path in a folder that does not exist are refused.
std::error_code ReplaceFile(const std::string& path, std::string_view bytes,
                            WriteOptions options = {});

// Makes the folder and the folders above it that do not exist yet; the
// reason when it cannot (a file in the way, no permission).
std::error_code MakeFolders(const std::string& path);

// Whether the file is a regular file that may be read now (nothing is
// read): the reason when not, as ReadWholeFile would give it.
std::error_code CheckReadable(const std::string& path);

// Whether a file could be created or written at `path` now, without
// changing it: a run checks its results file before it starts, so that a
// run whose results cannot be kept changes nothing.
std::error_code CheckWritable(const std::string& path);

// What identifies a file's contents on disk, to tell whether another program
// changed it since it was read.
struct FileStamp {
  bool exists = false;
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  std::int64_t modified_ns = 0;

  bool operator==(const FileStamp&) const = default;
};
FileStamp StampOf(const std::string& path);

// The longest file name a file system takes, in bytes.
constexpr size_t kMaxNameBytes = 255;
// A name of `stem` followed by `suffix` that fits kMaxNameBytes: the stem
// is cut, on a character boundary, where the whole would not fit. For the
// files Orbelin names after a script (temporary and recovery copies).
std::string NameThatFits(std::string_view stem, std::string_view suffix);

bool IsRegularFile(const std::string& path);
// Whether anything, a dangling link included, has this name.
bool Exists(const std::string& path);
// Whether two paths name the same existing file (through links, "./", or
// another hard link).
bool SameFile(const std::string& a, const std::string& b);

}  // namespace orbelin
