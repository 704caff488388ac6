#include "interp/script_file_run.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <utility>

namespace orbelin {

namespace {

// The file's bytes, or the errno of the failure. `expected_size` (the size
// the file had a moment ago) spares a long script the copies of a growing
// buffer; the file may still have changed since.
int ReadWholeFile(const std::string& path, size_t expected_size, std::string* bytes) {
  errno = 0;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) return errno != 0 ? errno : ENOENT;
  bytes->clear();
  bytes->reserve(expected_size + 1);  // + 1: the read that finds the end
  char chunk[1 << 16];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) bytes->append(chunk, n);
  const int error = std::ferror(f) ? (errno != 0 ? errno : EIO) : 0;
  std::fclose(f);
  return error;
}

// Writes and closes; the errno of the first failure, or 0.
int Finish(std::FILE* f, std::string_view bytes) {
  errno = 0;
  int error = 0;
  if (std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) error = errno ? errno : EIO;
  if (std::fclose(f) != 0 && error == 0) error = errno ? errno : EIO;
  return error;
}

}  // namespace

int WriteWholeFile(const std::string& path, std::string_view bytes) {
  errno = 0;
  std::FILE* f = std::fopen(path.c_str(), "w");
  if (f == nullptr) return errno != 0 ? errno : EIO;
  return Finish(f, bytes);
}

ScriptFileRun RunScriptFile(Session& session, const ScriptFileNames& names,
                            SourceEncoding encoding) {
  ScriptFileRun run;
  // Only a regular file is a script: a folder reads as nothing, and a pipe
  // or a device would hold the run up forever.
  struct stat st;
  const bool known = stat(names.script.c_str(), &st) == 0;
  if (known && !S_ISREG(st.st_mode)) {
    run.status = ScriptFileStatus::kScriptNotAFile;
    run.os_error = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    return run;
  }
  std::string bytes;
  if (const int error =
          ReadWholeFile(names.script, known ? static_cast<size_t>(st.st_size) : 0, &bytes);
      error != 0) {
    run.status = ScriptFileStatus::kScriptUnreadable;
    run.os_error = error;
    return run;
  }
  // The results file is created before the script runs: when it cannot be,
  // nothing runs and nothing of the session changes.
  if (names.results.empty()) {
    run.source = DecodeScript(std::move(bytes), encoding);
    run.result = session.Run(run.source);
    return run;
  }
  errno = 0;
  std::FILE* results = std::fopen(names.results.c_str(), "w");
  if (results == nullptr) {
    run.status = ScriptFileStatus::kResultsUncreatable;
    run.os_error = errno != 0 ? errno : EIO;
    return run;
  }
  run.source = DecodeScript(std::move(bytes), encoding);
  run.result = session.Run(run.source);
  run.results_error = Finish(results, run.result.results);
  if (!names.listing.empty()) run.listing_error = WriteWholeFile(names.listing, run.result.listing);
  return run;
}

}  // namespace orbelin
