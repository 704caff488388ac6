// A run of a script file, as the window's Calc and the command line make it:
// the script is read, run, and its results file and listing are left beside
// it (or where the names say).
//
// On disk it does what a run has always done: a script that cannot be read
// runs nothing; a results file that cannot be created runs nothing either
// (and leaves the session as it was); a listing that cannot be written is
// skipped and the run stands.
#pragma once

#include <string>

#include "base/file_names.h"
#include "base/script_encoding.h"
#include "interp/run_result.h"
#include "interp/session.h"

namespace orbelin {

enum class ScriptFileStatus {
  kRan,
  kScriptUnreadable,    // names.script could not be read: nothing ran
  kScriptNotAFile,      // names.script is a folder, a pipe or a device: nothing ran
  kResultsUncreatable,  // names.results could not be created: nothing ran
};

struct ScriptFileRun {
  ScriptFileStatus status = ScriptFileStatus::kRan;
  int os_error = 0;    // errno of the failure that stopped the run
  std::string source;  // the text that ran, Windows-1252
  RunResult result;    // what the run produced, when it ran
  // errno when the results file was created but could not be completed
  // (a full disk), and when the listing could not be written; 0 when fine.
  int results_error = 0;
  int listing_error = 0;
};

// With empty results and listing names, nothing is written.
ScriptFileRun RunScriptFile(Session& session, const ScriptFileNames& names,
                            SourceEncoding encoding);

// Writes bytes into a new or emptied file; the errno of the first failure,
// or 0. Used for the results and the listing.
int WriteWholeFile(const std::string& path, std::string_view bytes);

}  // namespace orbelin
