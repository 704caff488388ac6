#include "window/home_folder.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <system_error>

namespace orbelin {

namespace fs = std::filesystem;

namespace {

std::string AsFolder(const fs::path& path) {
  std::error_code ec;
  fs::path absolute = fs::absolute(path, ec);
  std::string s = (ec ? path : absolute).lexically_normal().string();
  if (s.empty() || s.back() != '/') s += '/';
  return s;
}

bool IsScriptName(const fs::path& name) {
  std::string ext = name.extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext == ".inp";
}

}  // namespace

std::string ResolveHomeFolder(const HomeFolderSources& s) {
  if (!s.option.empty()) return AsFolder(s.option);
  if (!s.orbelin_home.empty()) return AsFolder(s.orbelin_home);
  if (!s.xdg_data_home.empty() && s.xdg_data_home.front() == '/') {
    return AsFolder(fs::path(s.xdg_data_home) / "orbelin");
  }
  if (!s.home.empty()) return AsFolder(fs::path(s.home) / ".local" / "share" / "orbelin");
  return "";
}

std::error_code PrepareHomeFolder(const std::string& folder, const std::string& examples_folder) {
  if (folder.empty()) return std::make_error_code(std::errc::no_such_file_or_directory);
  std::error_code ec;
  const fs::file_status status = fs::status(folder, ec);
  if (fs::exists(status)) {
    if (!fs::is_directory(status)) return std::make_error_code(std::errc::not_a_directory);
    // Orbelin.def, recovery copies and new scripts go here: a folder that
    // cannot take them would lose typed text at the end without a word.
    if (faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0) {
      return std::error_code(errno, std::generic_category());
    }
    return {};
  }
  // A path through a file reports "not a directory" on the way.
  if (ec && ec != std::errc::no_such_file_or_directory) return ec;
  ec.clear();
  if (!fs::create_directories(folder, ec) && !ec) ec = std::make_error_code(std::errc::io_error);
  if (ec) return ec;
  if (examples_folder.empty()) return {};

  // The examples are a courtesy: one that cannot be copied is skipped.
  fs::directory_iterator it(examples_folder, ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    const fs::path& path = it->path();
    std::error_code copy_ec;
    if (!it->is_regular_file(copy_ec) || !IsScriptName(path.filename())) continue;
    fs::copy_file(path, fs::path(folder) / path.filename(), copy_ec);
  }
  return {};
}

std::string FindExamplesFolder(const std::string& program_dir) {
  const fs::path dir(program_dir);
  std::error_code ec;
  for (const fs::path& candidate :
       {dir / "examples", dir / ".." / "share" / "orbelin" / "examples"}) {
    if (fs::is_directory(candidate, ec)) return candidate.lexically_normal().string();
  }
  return "";
}

}  // namespace orbelin
