#include "frontend/script_file_calc.h"

#include <cerrno>
#include <optional>
#include <utility>
#include <vector>

#include "frontend/file_io.h"
#include "frontend/output_plan.h"

namespace orbelin {

namespace {

// The plan of one run's files: the script in, its results and listing out.
std::vector<std::string> PlanRefusals(const ScriptFileNames& names) {
  OutputPlan plan;
  plan.Reads(names.script);
  plan.Writes(names.results, OutputKind::kResults, names.script);
  plan.Writes(names.listing, OutputKind::kListing, names.script);
  return plan.Refusals();
}

// Runs `source` once the results file is known to be writable, then writes
// the results and the listing.
FileCalc RunAndWrite(Session& session, const ScriptFileNames& names, std::string source,
                     Utf8Damage damage = {}, std::vector<LostCharacter> lost = {}) {
  FileCalc calc;
  if (!names.results.empty()) {
    if (std::error_code error = CheckWritable(names.results)) {
      calc.status = FileCalcStatus::kResultsUncreatable;
      calc.error = error;
      return calc;
    }
  }
  calc.view = CalcSource(session, std::move(source), damage, std::move(lost));
  if (!names.results.empty()) {
    calc.results_error = WriteOutputFile(names.results, calc.view.run.results);
  }
  if (!names.listing.empty()) {
    calc.listing_error = WriteOutputFile(names.listing, calc.view.run.listing);
  }
  return calc;
}

FileCalc NotRun(FileCalcStatus status, std::error_code error = {}) {
  FileCalc calc;
  calc.status = status;
  calc.error = error;
  return calc;
}

// Nothing runs when the plan of the outputs is refused.
std::optional<FileCalc> Refused(const ScriptFileNames& names) {
  const std::vector<std::string> refusals = PlanRefusals(names);
  if (refusals.empty()) return std::nullopt;
  FileCalc calc = NotRun(FileCalcStatus::kOutputRefused);
  calc.refusal = OneParagraph(refusals);
  return calc;
}

}  // namespace

std::string FileCalc::Problem(const ScriptFileNames& names) const {
  switch (status) {
    case FileCalcStatus::kScriptUnreadable:
      if (error == std::errc::is_a_directory)
        return names.script + " is a folder, not a script file.";
      if (error == NotARegularFile()) {
        return names.script + " is a device or a pipe, not a script file.";
      }
      return "Cannot read the script " + names.script + ": " + error.message() + ".";
    case FileCalcStatus::kOutputRefused:
      return refusal + " Nothing was run.";
    case FileCalcStatus::kResultsUncreatable:
      return "Cannot create the results file " + names.results + ": " + error.message() +
             ". The script was not run.";
    case FileCalcStatus::kRan:
      if (results_error) {
        return "Could not finish writing the results file " + names.results + ": " +
               results_error.message() + ".";
      }
      return "";
  }
  return "";
}

std::string FileCalc::ListingProblem(const ScriptFileNames& names) const {
  if (!listing_error) return "";
  return "Cannot write the listing " + names.listing + ": " + listing_error.message() + ".";
}

FileCalc CalcScriptFile(Session& session, const ScriptFileNames& names, SourceEncoding encoding) {
  if (std::optional<FileCalc> refused = Refused(names)) return std::move(*refused);
  std::error_code error;
  std::optional<std::string> bytes = ReadWholeFile(names.script, &error);
  if (!bytes) return NotRun(FileCalcStatus::kScriptUnreadable, error);
  Utf8Damage damage;
  std::vector<LostCharacter> lost;
  std::string source = DecodeScript(std::move(*bytes), encoding, &damage, &lost);
  return RunAndWrite(session, names, std::move(source), damage, std::move(lost));
}

FileCalc CalcSavedBox(Session& session, const ScriptFileNames& names, std::string_view box_text) {
  if (std::optional<FileCalc> refused = Refused(names)) return std::move(*refused);
  if (std::error_code error = CheckReadable(names.script)) {
    return NotRun(FileCalcStatus::kScriptUnreadable, error);
  }
  std::vector<LostCharacter> lost;
  std::string source = ScriptFileFromBoxText(box_text, &lost);
  return RunAndWrite(session, names, std::move(source), {}, std::move(lost));
}

FileCalc CalcText(Session& session, const ScriptFileNames& outputs, std::string source,
                  Utf8Damage damage, std::vector<LostCharacter> lost) {
  if (std::optional<FileCalc> refused = Refused(outputs)) return std::move(*refused);
  return RunAndWrite(session, outputs, std::move(source), damage, std::move(lost));
}

}  // namespace orbelin
