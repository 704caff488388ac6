#include "window/recent_files.h"

#include <algorithm>
#include <optional>

#include "frontend/file_io.h"

namespace orbelin {

std::vector<std::string> ReadRecentFiles(const std::string& program_folder) {
  std::vector<std::string> paths;
  const std::optional<std::string> bytes = ReadWholeFile(program_folder + kRecentFileName);
  if (!bytes) return paths;
  size_t start = 0;
  while (start < bytes->size() && paths.size() < kMaxRecentFiles) {
    size_t end = bytes->find('\n', start);
    if (end == std::string::npos) end = bytes->size();
    // Only absolute paths: anything else is no line of ours.
    if (end > start && (*bytes)[start] == '/') paths.push_back(bytes->substr(start, end - start));
    start = end + 1;
  }
  return paths;
}

void WriteRecentFiles(const std::string& program_folder, const std::vector<std::string>& paths) {
  std::string bytes;
  for (const std::string& path : paths) bytes += path + '\n';
  // A list that cannot be kept costs nothing typed.
  (void)ReplaceFile(program_folder + kRecentFileName, bytes, {.sync = false});
}

void AddRecentFile(std::vector<std::string>& paths, const std::string& path) {
  // A path with a line break would not read back as one line.
  if (path.empty() || path.find('\n') != std::string::npos) return;
  paths.erase(std::remove(paths.begin(), paths.end(), path), paths.end());
  paths.insert(paths.begin(), path);
  if (paths.size() > kMaxRecentFiles) paths.resize(kMaxRecentFiles);
}

}  // namespace orbelin
