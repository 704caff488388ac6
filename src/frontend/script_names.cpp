#include "frontend/script_names.h"

namespace orbelin {

namespace {

// Position of the last '/' after position 0, or npos.
size_t LastSlash(const std::string& path) {
  size_t p = path.rfind('/');
  return (p == std::string::npos || p == 0) ? std::string::npos : p;
}

// Position of the extension's full stop: inside the file name (after the last
// '/') and not its first character, so neither a folder's dot nor the dot of a
// name like ".profile" counts; npos when there is none.
size_t ExtensionDot(std::string_view path) {
  size_t slash = path.rfind('/');
  size_t name_start = slash == std::string_view::npos ? 0 : slash + 1;
  size_t dot = path.rfind('.');
  if (dot == std::string_view::npos || dot <= name_start) return std::string_view::npos;
  return dot;
}

std::string WithSlash(const std::string& folder) {
  return folder.empty() || folder.back() == '/' ? folder : folder + '/';
}

}  // namespace

ScriptFileNames BuildFileNames(const std::string& script_path) {
  ScriptFileNames n;
  n.script = script_path;
  if (n.script.empty()) return n;
  if (ExtensionDot(n.script) == std::string::npos || n.script.size() == 1) n.script += ".inp";

  size_t slash = LastSlash(n.script);
  if (slash != std::string::npos) {
    n.name = n.script.substr(slash + 1);
    n.folder = n.script.substr(0, slash + 1);
  } else {
    n.folder = n.script;
  }

  std::string stem = n.script.substr(0, ExtensionDot(n.script));
  n.results = stem + ".res";
  n.listing = stem + ".lst";
  return n;
}

std::string Stem(std::string_view path) {
  const size_t slash = path.rfind('/');
  if (slash != std::string_view::npos) path.remove_prefix(slash + 1);
  return std::string(path.substr(0, ExtensionDot(path)));
}

ScriptFileNames PlaceOutputsIn(ScriptFileNames names, const std::string& folder) {
  const std::string stem = Stem(names.script);
  names.results = WithSlash(folder) + stem + ".res";
  names.listing = WithSlash(folder) + stem + ".lst";
  return names;
}

ScriptFileNames OutputsForText(const std::string& stem, const std::string& folder) {
  ScriptFileNames names;
  names.results = WithSlash(folder) + stem + ".res";
  names.listing = WithSlash(folder) + stem + ".lst";
  return names;
}

std::string StoredScriptName(std::string_view typed) {
  constexpr std::string_view kBlanks = " \t\r\n";
  const size_t first = typed.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return "";
  std::string name(typed.substr(first, typed.find_last_not_of(kBlanks) - first + 1));
  // "." and ".." name folders, not a script: nothing is left of them.
  if (name.find_first_not_of('.') == std::string::npos) return "";
  // A name, not a path: a folder in it would mean nothing in the page's
  // storage, and the window saves where its dialog points.
  for (char& c : name) {
    if (c == '/' || c == '\\') c = '-';
  }
  return BuildFileNames(name).script;
}

}  // namespace orbelin
