// The File menu's recent scripts: the last few opened or saved, newest
// first, kept in the home folder from one start to the next.
#pragma once

#include <string>
#include <vector>

namespace orbelin {

inline constexpr const char* kRecentFileName = "Orbelin-recent.txt";
inline constexpr size_t kMaxRecentFiles = 8;

// One path a line (UTF-8); what cannot be read gives an empty list.
std::vector<std::string> ReadRecentFiles(const std::string& program_folder);
void WriteRecentFiles(const std::string& program_folder, const std::vector<std::string>& paths);

// `path` at the front, once, and no more than kMaxRecentFiles.
void AddRecentFile(std::vector<std::string>& paths, const std::string& path);

}  // namespace orbelin
