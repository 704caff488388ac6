// What a script's files are called: the script itself, its results and its
// listing, and the stem that every other name is made from (GPX files,
// recovery copies, files in an output folder, the page's stored names).
#pragma once

#include <string>
#include <string_view>

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

// The file name of a path without folder and extension: "walk" for
// "/maps/walk.inp", ".profile" for ".profile" (a leading full stop is no
// extension), "" for "".
std::string Stem(std::string_view path);

// The same names with the results and the listing in `folder` instead of
// beside the script: FOLDER/STEM.res and FOLDER/STEM.lst.
ScriptFileNames PlaceOutputsIn(ScriptFileNames names, const std::string& folder);

// The results and listing names of a text that has no file of its own
// (standard input, the command line's text) when they go to `folder`.
ScriptFileNames OutputsForText(const std::string& stem, const std::string& folder);

// The name a script is stored under when the user types `typed` (the page's
// Save, an imported file's name): no folders and no surrounding blanks,
// ".inp" added as for a path. "" when nothing is left, or nothing but
// full stops (".." is a folder's name).
std::string StoredScriptName(std::string_view typed);

}  // namespace orbelin
