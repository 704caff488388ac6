#include "vary_command.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cctype>
#include <cstdio>
#include <thread>

#include "frontend/calc.h"
#include "frontend/file_io.h"
#include "frontend/geo_point_text.h"
#include "frontend/output_plan.h"
#include "frontend/script_bytes.h"
#include "frontend/script_names.h"
#include "frontend/vary/gpx.h"
#include "frontend/vary/output.h"
#include "frontend/vary/plan.h"
#include "frontend/vary/runner.h"
#include "frontend/vary/value_sets.h"
#include "option_value.h"
#include "progress_bar.h"
#include "run_command.h"
#include "standard_output.h"
#include "terminal_report.h"
#include "usage.h"

namespace orbelin::cli {

namespace {

// Set by Ctrl+C. A signal handler reaches nothing but a flag of its own.
std::atomic<bool> interrupted{false};

void OnInterrupt(int) {
  interrupted.store(true);
}

struct Options {
  std::string script;
  std::vector<ValueSet> sets;
  std::vector<std::string> show;
  VaryFilter filter;
  std::string final_pattern;  // as typed, UTF-8 on a terminal
  std::optional<int> digit_sum;
  std::string csv, gpx;
  int jobs = 0;  // 0: every core
};

std::string Lowered(std::string sentence) {
  if (!sentence.empty()) {
    sentence[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(sentence[0])));
  }
  return sentence;
}

int Complain(const std::string& sentence) {
  std::fprintf(stderr, "orbelin: %s\n", Lowered(sentence).c_str());
  return kExitTrouble;
}

// Parses the arguments; returns a status to end with, or -1 to go on.
int Parse(const std::vector<std::string>& args, Options* o, StandardOutput& out) {
  bool options_done = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    std::string value;
    bool missing = false;
    const auto needs = [&](const char* what) {
      return UsageError(a.substr(0, a.find('=')) + " needs " + what);
    };
    if (options_done || a.empty() || a[0] != '-') {
      if (!o->script.empty()) return UsageError("vary takes one script; '" + a + "' is a second");
      o->script = a;
    } else if (a == "--") {
      options_done = true;
    } else if (a == "--help" || a == "-h") {
      out.Write(kVaryHelp);
      return kExitClean;
    } else if (OptionValue(args, &i, "--set", &value, &missing)) {
      if (missing) return needs("NAME=VALUES, as in --set A=0..9");
      ValueSetReading r = ReadValueSet(value);
      if (!r.set) return Complain(r.error);
      o->sets.push_back(std::move(*r.set));
    } else if (OptionValue(args, &i, "--where", &value, &missing)) {
      if (missing) return needs("NAME=VALUES, as in --where CHK=42");
      ConditionReading r = ReadCondition(value);
      if (!r.condition) return Complain(r.error);
      o->filter.where.push_back(std::move(*r.condition));
    } else if (OptionValue(args, &i, "--near", &value, &missing)) {
      if (missing)
        return needs("a point, as in --near \"N 48\xC2\xB0 12.345 E 011\xC2\xB0 30.500\"");
      GeoPointReading r = ReadGeoPoint(value);
      if (!r.point) return Complain("--near: " + r.error);
      o->filter.near = r.point;
    } else if (OptionValue(args, &i, "--within", &value, &missing)) {
      if (missing) return needs("a distance, as in --within 3.2km");
      std::string error;
      o->filter.within = ReadDistance(value, &error);
      if (!o->filter.within) return Complain("--within: " + error);
    } else if (OptionValue(args, &i, "--show", &value, &missing)) {
      if (missing) return needs("the names of variables, as in --show CHK,LAT");
      size_t start = 0;
      for (;;) {
        const size_t comma = value.find(',', start);
        if (std::string name = value.substr(start, comma - start); !name.empty()) {
          o->show.push_back(name);
        }
        if (comma == std::string::npos) break;
        start = comma + 1;
      }
    } else if (OptionValue(args, &i, "--final", &value, &missing)) {
      if (missing || value.empty()) {
        return needs("a formula final, as in --final \"N 48\xC2\xB0 1A.BCD E 011\xC2\xB0 3E.FGH\"");
      }
      o->final_pattern = value;
    } else if (OptionValue(args, &i, "--digit-sum", &value, &missing)) {
      if (missing) return needs("the sum of the final's digits, as in --digit-sum 41");
      const int n = std::atoi(value.c_str());
      if (value.empty() || value.size() > 4 ||
          value.find_first_not_of("0123456789") != std::string::npos) {
        return UsageError("--digit-sum needs a whole number, as in --digit-sum 41, not '" + value +
                          "'");
      }
      o->digit_sum = n;
    } else if (OptionValue(args, &i, "--csv", &value, &missing)) {
      if (missing || value.empty()) return needs("a file name");
      o->csv = value;
    } else if (OptionValue(args, &i, "--gpx", &value, &missing)) {
      if (missing || value.empty()) return needs("a file name");
      o->gpx = value;
    } else if (OptionValue(args, &i, "--jobs", &value, &missing) ||
               OptionValue(args, &i, "-j", &value, &missing) ||
               (a.starts_with("-j") && (value = a.substr(2), true))) {
      if (missing) return needs("a number of cores");
      const int n = std::atoi(value.c_str());
      if (n < 1 || n > 1024 || value.find_first_not_of("0123456789") != std::string::npos) {
        return UsageError("--jobs needs a number of cores from 1 up, not '" + value + "'");
      }
      o->jobs = n;
    } else {
      return UsageError("unknown option '" + a + "' for vary");
    }
  }
  if (o->script.empty() && o->final_pattern.empty()) {
    return UsageError(
        "vary needs a script or a final, as in orbelin vary final.inp --set A=0..9 or "
        "orbelin vary --final \"N 48\xC2\xB0 1A.BCD E 011\xC2\xB0 3E.FGH\" --set A=0..9");
  }
  if (o->digit_sum && o->final_pattern.empty()) {
    return UsageError(
        "--digit-sum needs --final, the final whose digits it adds up; for a script's point, "
        "compute CHK = WGCQSUM(LAT, LON) in the script and keep it with --where CHK=41");
  }
  if (o->sets.empty()) return UsageError("vary needs values to try, as in --set A=0..9");
  if (o->filter.within && !o->filter.near) {
    return UsageError("--within needs --near, the point to measure from");
  }
  return -1;
}

// Writes a file of the outputs; false after saying why not.
bool WriteOutput(const std::string& path, const std::string& bytes, const char* what) {
  if (const std::error_code error = WriteOutputFile(path, bytes, /*sync=*/true); error) {
    std::fprintf(stderr, "orbelin: cannot write the %s file %s: %s.\n", what, path.c_str(),
                 error.message().c_str());
    return false;
  }
  return true;
}

}  // namespace

int VaryCommand(const std::vector<std::string>& args, StandardOutput& out) {
  // From the start: values of millions take a moment to make.
  struct sigaction action = {};
  action.sa_handler = OnInterrupt;
  action.sa_flags = SA_RESETHAND;  // a second Ctrl+C ends the program at once
  sigaction(SIGINT, &action, nullptr);

  Options o;
  if (const int status = Parse(args, &o, out); status >= 0) return status;

  // Without a script the pattern alone is run; its messages name it so.
  const std::string path = o.script.empty() ? "--final" : BuildFileNames(o.script).script;
  // An output that would land on the script, or on the other output, or
  // that cannot be written, is refused before the search starts.
  OutputPlan files;
  if (!o.script.empty()) files.Reads(path);
  files.Writes(o.csv, OutputKind::kCsv, "", "--csv");
  files.Writes(o.gpx, OutputKind::kGpx, "", "--gpx");
  if (const std::vector<std::string> refusals = files.Refusals(); !refusals.empty()) {
    for (size_t i = 0; i < refusals.size(); ++i) {
      Complain(refusals[i] + (i + 1 == refusals.size() ? " Nothing was tried." : ""));
    }
    return kExitTrouble;
  }
  for (const std::string* output : {&o.csv, &o.gpx}) {
    if (output->empty()) continue;
    if (const std::error_code e = CheckWritable(*output)) {
      return Complain("Cannot write " + *output + ": " + e.message() + ".");
    }
  }
  VaryRequest request;
  if (!o.script.empty()) {
    std::error_code error;
    std::optional<std::string> bytes = ReadWholeFile(path, &error);
    if (!bytes) {
      return Complain("Cannot read the script " + path + ": " + error.message() + ".");
    }
    Utf8Damage damage;
    request.source = DecodeScript(std::move(*bytes), SourceEncoding::kAuto, &damage);
    if (!damage.empty()) {
      Report(stderr, path, request.source, {Utf8Warning(damage)}, Bytes::kUtf8, UseColour(stderr));
    }
  }
  // The terminal's text becomes the script's bytes ("°" is 0xB0).
  request.final_pattern = DecodeScript(std::move(o.final_pattern), SourceEncoding::kAuto);
  request.digit_sum = o.digit_sum;
  request.sets = std::move(o.sets);
  request.show = std::move(o.show);
  request.filter = std::move(o.filter);
  VaryPlanning planning = PlanVary(std::move(request));
  if (!planning.plan) {
    for (const std::string& e : planning.errors) Complain(e);
    return kExitTrouble;
  }
  const VaryPlan& plan = *planning.plan;

  // What the script says for the first combination, as `orbelin run` says
  // it: its warnings (an assignment that overrides a value tried) and errors.
  {
    const CalcView first = CalcCombination(plan, 0);
    if (!first.explanations().empty()) {
      std::vector<double> values;
      plan.Values(0, &values);
      std::fprintf(stderr, "orbelin: the first combination, %s, says:\n",
                   CombinationText(plan.sets(), values).c_str());
      Report(stderr, path, first.source, first.explanations(), Bytes::kUtf8, UseColour(stderr));
    }
  }

  const bool terminal = isatty(STDERR_FILENO) != 0;
  VaryControl control;
  control.workers =
      o.jobs > 0 ? o.jobs : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  control.stop = &interrupted;
  if (terminal) {
    control.progress = [](const VaryProgress& p) {
      std::fprintf(stderr, "\r%s\033[K", ProgressLine(p).c_str());
      std::fflush(stderr);
      return true;
    };
  }
  const VaryOutcome outcome = RunVary(plan, control);
  if (terminal) std::fputs("\r\033[K", stderr);
  signal(SIGINT, SIG_DFL);

  const std::vector<VaryPoint> points = MergePoints(outcome.kept);
  if (!points.empty()) {
    out.Write(VaryTable(plan, points));
  }
  const std::string summary = VarySummary(plan, outcome, points.size());
  std::fwrite(summary.data(), 1, summary.size(), stderr);

  int status = kExitClean;
  if (!o.csv.empty() && !WriteOutput(o.csv, VaryCsv(plan, points), "CSV")) status = kExitTrouble;
  if (!o.gpx.empty() && !WriteOutput(o.gpx, VaryGpx(plan, points), "GPX")) status = kExitTrouble;
  if (outcome.stopped && interrupted.load()) return kExitInterrupted;
  if (status == kExitClean && outcome.counts.tried > 0 &&
      outcome.counts.with_errors == outcome.counts.tried) {
    status = kExitScriptErrors;
  }
  return status;
}

}  // namespace orbelin::cli
