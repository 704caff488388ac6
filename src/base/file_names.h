// The file names derived from the current script path.
#pragma once

#include <string>

namespace orbelin {

struct ScriptFileNames {
  std::string script;   // the script path, ".inp" added when it had no extension
  std::string results;  // the script path with ".res" for its extension
  std::string listing;  // the same with ".lst"
  std::string folder;   // up to and including the last '/', or the whole path
  std::string name;     // after the last '/' (shown in the window's label)
};

// Derives the names of a script path. A path whose file name has no
// extension gets ".inp". The extension's full stop is searched only in the
// file name after the last '/', never in a folder name, and a full stop that
// starts the file name does not count: ".profile" has no extension. An empty
// path stays empty.
ScriptFileNames BuildFileNames(const std::string& script_path);

}  // namespace orbelin
