// Calc with files, as the window's B and `orbelin run` make it: the script
// runs and its results file and listing are left beside it (or where the
// names say).
//
// On disk: a script that cannot be read runs nothing; a results file that
// cannot be created runs nothing either (and leaves the session as it was);
// a listing that cannot be written is said, and the run stands. The run's
// outputs are planned first (output_plan.h): a results file or listing that
// would land on the script itself (a script called walk.res) or that is a
// symbolic link runs nothing.
#pragma once

#include <string>
#include <string_view>
#include <system_error>

#include "frontend/calc.h"
#include "frontend/script_bytes.h"
#include "frontend/script_names.h"
#include "interp/session.h"

namespace orbelin {

enum class FileCalcStatus {
  kRan,
  kScriptUnreadable,    // names.script could not be read (or is no regular file): nothing ran
  kOutputRefused,       // the plan of the outputs was refused (see refusal): nothing ran
  kResultsUncreatable,  // names.results could not be created: nothing ran
};

struct FileCalc {
  FileCalcStatus status = FileCalcStatus::kRan;
  std::error_code error;  // why nothing ran
  std::string refusal;    // why the outputs were refused, one paragraph
  CalcView view;          // what the run produced, when it ran
  // Why the results file could not be completed (a full disk), or the
  // listing not written; empty when fine.
  std::error_code results_error;
  std::error_code listing_error;

  bool ran() const { return status == FileCalcStatus::kRan; }
  // What went wrong, as a sentence that names the file and the reason: why
  // nothing ran, else what happened to the results file. "" when all went
  // well, the listing aside (see ListingProblem).
  std::string Problem(const ScriptFileNames& names) const;
  // "" or why the listing could not be written; the run stands.
  std::string ListingProblem(const ScriptFileNames& names) const;
};

// Reads names.script, decodes it, runs it and writes the results and the
// listing. Empty results and listing names write nothing.
FileCalc CalcScriptFile(Session& session, const ScriptFileNames& names, SourceEncoding encoding);

// The window's Calc: the box's text runs (its file holds it, just saved or
// unchanged), and the results and the listing are written beside the file.
// The file must still be there to be read.
FileCalc CalcSavedBox(Session& session, const ScriptFileNames& names, std::string_view box_text);

// A text that has no file (standard input, the command line's text); its
// results and listing go where `outputs` names them, if anywhere. `damage`
// and `lost` are what decoding it changed (DecodeScript).
FileCalc CalcText(Session& session, const ScriptFileNames& outputs, std::string source,
                  Utf8Damage damage = {}, std::vector<LostCharacter> lost = {});

}  // namespace orbelin
