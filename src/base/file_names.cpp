#include "base/file_names.h"

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
size_t ExtensionDot(const std::string& path) {
  size_t slash = path.rfind('/');
  size_t name_start = slash == std::string::npos ? 0 : slash + 1;
  size_t dot = path.rfind('.');
  if (dot == std::string::npos || dot <= name_start) return std::string::npos;
  return dot;
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

}  // namespace orbelin
