// Orbelin's home folder, where its settings live (a program's own folder is
// not writable here): "Orbelin.ini",
// "Orbelin.def" and the example scripts live in it, and the file dialogs
// start there.
#pragma once

#include <string>
#include <system_error>

namespace orbelin {

struct HomeFolderSources {
  std::string option;         // --home DIR
  std::string orbelin_home;   // $ORBELIN_HOME
  std::string xdg_data_home;  // $XDG_DATA_HOME
  std::string home;           // $HOME
};

// The first of: the option, $ORBELIN_HOME, $XDG_DATA_HOME/orbelin (an
// absolute $XDG_DATA_HOME only), $HOME/.local/share/orbelin. Absolute and
// ending with '/'; "" when none is given.
std::string ResolveHomeFolder(const HomeFolderSources& sources);

// Creates the folder when it does not exist yet and gives it copies of the
// example scripts (*.inp in `examples_folder`, which may be ""). The reason
// when the folder cannot be created, is not a folder, or may not be
// written.
std::error_code PrepareHomeFolder(const std::string& folder, const std::string& examples_folder);

// Where the example scripts are for a program in `program_dir`: beside it in
// examples/ (the build tree), or in ../share/orbelin/examples (installed).
// "" when neither exists.
std::string FindExamplesFolder(const std::string& program_dir);

}  // namespace orbelin
