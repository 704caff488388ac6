#include "frontend/script_file_calc.h"

#include <cerrno>
#include <optional>
#include <utility>

#include "frontend/file_io.h"

namespace orbelin {

namespace {

// Results and listings are made again by every Calc: they need not wait for
// the disk, as the user's scripts do.
constexpr WriteOptions kRunOutput{.sync = false, .follow_links = true};

// The output that would land on the script itself: "" for none.
std::string OutputOnScript(const ScriptFileNames& names) {
  if (names.script.empty()) return "";
  for (const std::string* output : {&names.results, &names.listing}) {
    if (!output->empty() && (*output == names.script || SameFile(*output, names.script))) {
      return *output;
    }
  }
  return "";
}

// Runs `source` once the results file is known to be writable, then writes
// the results and the listing.
FileCalc RunAndWrite(Session& session, const ScriptFileNames& names, std::string source) {
  FileCalc calc;
  if (!names.results.empty()) {
    if (std::error_code error = CheckWritable(names.results)) {
      calc.status = FileCalcStatus::kResultsUncreatable;
      calc.error = error;
      return calc;
    }
  }
  calc.view = CalcSource(session, std::move(source));
  if (!names.results.empty()) {
    calc.results_error = ReplaceFile(names.results, calc.view.run.results, kRunOutput);
  }
  if (!names.listing.empty()) {
    calc.listing_error = ReplaceFile(names.listing, calc.view.run.listing, kRunOutput);
  }
  return calc;
}

FileCalc NotRun(FileCalcStatus status, std::error_code error = {}) {
  FileCalc calc;
  calc.status = status;
  calc.error = error;
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
    case FileCalcStatus::kOutputIsScript: {
      const std::string output = OutputOnScript(names);
      const bool listing = !output.empty() && output == names.listing;
      return "The script " + names.script + " would be overwritten by its own " +
             (listing ? "listing" : "results") +
             ": a run writes its results and its listing into files named like the script with "
             ".res and .lst. Give the script another name, such as " +
             Stem(names.script) + ".inp. Nothing was run.";
    }
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
  if (!OutputOnScript(names).empty()) return NotRun(FileCalcStatus::kOutputIsScript);
  std::error_code error;
  std::optional<std::string> bytes = ReadWholeFile(names.script, &error);
  if (!bytes) return NotRun(FileCalcStatus::kScriptUnreadable, error);
  return RunAndWrite(session, names, DecodeScript(std::move(*bytes), encoding));
}

FileCalc CalcSavedScript(Session& session, const ScriptFileNames& names, std::string script_bytes) {
  if (!OutputOnScript(names).empty()) return NotRun(FileCalcStatus::kOutputIsScript);
  if (std::error_code error = CheckReadable(names.script)) {
    return NotRun(FileCalcStatus::kScriptUnreadable, error);
  }
  return RunAndWrite(session, names, std::move(script_bytes));
}

FileCalc CalcText(Session& session, const ScriptFileNames& outputs, std::string source) {
  return RunAndWrite(session, outputs, std::move(source));
}

}  // namespace orbelin
