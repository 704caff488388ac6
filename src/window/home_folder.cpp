#include "window/home_folder.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <optional>
#include <set>
#include <system_error>
#include <vector>

#include "frontend/file_io.h"

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

namespace {

// Gives the folder the examples it has not had yet. Each is written whole or
// not at all (a full disk leaves no empty file behind), and its name goes
// into the list once it is there: an example the user deleted does not come
// back, one that could not be copied is tried again at the next start. A
// folder that Orbelin did not make and that has no list yet (one given with
// --home, or made by an older version) only gets back the examples that an
// older version left empty.
void CopyExamples(const std::string& folder, const std::string& examples_folder, bool created) {
  const std::string list_path = folder + kExamplesListName;
  // The list comes first: it says at the next start that this folder gets
  // the examples, even when none fitted now (an empty file takes no room).
  if (created) (void)ReplaceFile(list_path, "");
  const std::optional<std::string> list = ReadWholeFile(list_path);
  std::set<std::string> done;
  for (size_t start = 0; list && start < list->size();) {
    size_t end = list->find('\n', start);
    if (end == std::string::npos) end = list->size();
    if (end > start) done.insert(list->substr(start, end - start));
    start = end + 1;
  }
  std::vector<fs::path> examples;
  std::error_code ec;
  for (fs::directory_iterator it(examples_folder, ec); !ec && it != fs::directory_iterator();
       it.increment(ec)) {
    std::error_code type_ec;
    if (it->is_regular_file(type_ec) && IsScriptName(it->path().filename())) {
      examples.push_back(it->path());
    }
  }
  std::sort(examples.begin(), examples.end());
  bool changed = false;
  for (const fs::path& example : examples) {
    const std::string name = example.filename().string();
    if (done.count(name) != 0) continue;
    const std::string target = folder + name;
    const std::optional<std::string> bytes = ReadWholeFile(example.string());
    if (!bytes) continue;
    std::error_code size_ec;
    const bool present = Exists(target);
    const bool left_empty =
        present && !list && !bytes->empty() && fs::file_size(target, size_ec) == 0 && !size_ec;
    if (present && !left_empty) {
      done.insert(name);  // the user's own copy now
      changed = true;
      continue;
    }
    if (!present && !list) {
      done.insert(name);  // taken as the user's choice
      changed = true;
      continue;
    }
    // The examples are a courtesy: one that cannot be copied now is tried
    // again at the next start.
    if (ReplaceFile(target, *bytes)) continue;
    done.insert(name);
    changed = true;
  }
  if (!changed && list) return;
  std::string text;
  for (const std::string& name : done) text += name + '\n';
  (void)ReplaceFile(list_path, text);
}

}  // namespace

std::error_code PrepareHomeFolder(const std::string& folder, const std::string& examples_folder) {
  if (folder.empty()) return std::make_error_code(std::errc::no_such_file_or_directory);
  std::error_code ec;
  const fs::file_status status = fs::status(folder, ec);
  const bool created = !fs::exists(status);
  if (!created) {
    if (!fs::is_directory(status)) return std::make_error_code(std::errc::not_a_directory);
    // Orbelin.def, recovery copies and new scripts go here: a folder that
    // cannot take them would lose typed text at the end without a word.
    if (faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0) {
      return std::error_code(errno, std::generic_category());
    }
  } else {
    // A path through a file reports "not a directory" on the way.
    if (ec && ec != std::errc::no_such_file_or_directory) return ec;
    ec.clear();
    if (!fs::create_directories(folder, ec) && !ec) ec = std::make_error_code(std::errc::io_error);
    if (ec) return ec;
  }
  if (!examples_folder.empty()) CopyExamples(folder, examples_folder, created);
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
