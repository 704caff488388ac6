#include "run_command.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "frontend/file_io.h"
#include "frontend/output_plan.h"
#include "frontend/point.h"
#include "frontend/script_file_calc.h"
#include "frontend/script_names.h"
#include "interp/session.h"
#include "option_value.h"
#include "standard_output.h"
#include "terminal_report.h"
#include "usage.h"

namespace orbelin::cli {

namespace {

struct Input {
  enum class Kind { kFile, kStdin, kText };
  Kind kind;
  std::string value;  // the path, or the script text
};

struct Options {
  SourceEncoding encoding = SourceEncoding::kAuto;
  Bytes bytes = Bytes::kUtf8;
  std::string output_dir;  // "" : beside the script
  bool no_files = false;
  std::string gpx;  // "" : no GPX file
  std::vector<Input> inputs;
  // The points the scripts set, for --gpx, in the order they ran.
  std::vector<NamedPoint> points;
  StandardOutput* out = nullptr;
};

// Parses the arguments; returns a status to end with, or -1 to go on.
int Parse(const std::vector<std::string>& args, Options* o) {
  bool options_done = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    std::string value;
    bool missing = false;
    if (options_done || a.empty() || a[0] != '-') {
      o->inputs.push_back({Input::Kind::kFile, a});
    } else if (a == "--") {
      options_done = true;
    } else if (a == "--help" || a == "-h") {
      o->out->Write(kHelp);
      return kExitClean;
    } else if (a == "-") {
      for (const Input& input : o->inputs) {
        if (input.kind == Input::Kind::kStdin) {
          return UsageError("standard input can be read only once");
        }
      }
      o->inputs.push_back({Input::Kind::kStdin, ""});
    } else if (a == "-e") {
      if (i + 1 >= args.size())
        return UsageError("-e needs the script text, as in -e 'WRITE 2^10;'");
      o->inputs.push_back({Input::Kind::kText, args[++i]});
    } else if (a == "--no-files") {
      o->no_files = true;
    } else if (OptionValue(args, &i, "--encoding", &value, &missing)) {
      if (missing) return UsageError("--encoding needs a value: auto, cp1252 or utf-8");
      if (value == "auto") {
        o->encoding = SourceEncoding::kAuto;
        o->bytes = Bytes::kUtf8;
      } else if (value == "utf-8" || value == "utf8") {
        o->encoding = SourceEncoding::kUtf8;
        o->bytes = Bytes::kUtf8;
      } else if (value == "cp1252") {
        o->encoding = SourceEncoding::kCp1252;
        o->bytes = Bytes::kCp1252;
      } else {
        return UsageError("unknown encoding '" + value + "' (auto, cp1252 or utf-8)");
      }
    } else if (OptionValue(args, &i, "--gpx", &value, &missing)) {
      if (missing || value.empty())
        return UsageError("--gpx needs a file name, as in --gpx walk.gpx");
      o->gpx = value;
    } else if (OptionValue(args, &i, "--output-dir", &value, &missing)) {
      if (missing || value.empty()) return UsageError("--output-dir needs a folder");
      o->output_dir = value;
    } else {
      return UsageError("unknown option '" + a + "'");
    }
  }
  if (o->inputs.empty()) return UsageError("no script given");
  if (o->no_files && !o->output_dir.empty()) {
    return UsageError("--no-files and --output-dir cannot go together");
  }
  return -1;
}

// Where an input's files are: the script, and its results and listing
// (none for --no-files, in --output-dir when given). A script that is no
// file (standard input, the command line's text) writes files only into
// --output-dir.
ScriptFileNames NamesOf(const Options& o, const Input& input) {
  if (input.kind != Input::Kind::kFile) {
    if (o.output_dir.empty()) return {};
    return OutputsForText(input.kind == Input::Kind::kStdin ? "stdin" : "command-line",
                          o.output_dir);
  }
  ScriptFileNames names = BuildFileNames(input.value);
  if (o.no_files) {
    names.results.clear();
    names.listing.clear();
  } else if (!o.output_dir.empty()) {
    names = PlaceOutputsIn(names, o.output_dir);
  }
  return names;
}

// How the messages about files call an input: two texts of -e are told
// apart by their beginnings.
std::string PlanName(const Input& input) {
  switch (input.kind) {
    case Input::Kind::kFile:
      return BuildFileNames(input.value).script;
    case Input::Kind::kStdin:
      return "<stdin>";
    case Input::Kind::kText:
      break;
  }
  constexpr size_t kShown = 24;
  if (input.value.size() <= kShown) return "-e '" + input.value + "'";
  size_t cut = kShown - 3;  // not inside a UTF-8 character
  while (cut > 0 && (static_cast<unsigned char>(input.value[cut]) & 0xC0) == 0x80) --cut;
  return "-e '" + input.value.substr(0, cut) + "...'";
}

// Every file the command reads and writes, before anything runs.
std::vector<std::string> PlanRefusals(const Options& o) {
  OutputPlan plan;
  for (const Input& input : o.inputs) {
    const ScriptFileNames names = NamesOf(o, input);
    const std::string of = PlanName(input);
    if (input.kind == Input::Kind::kFile) plan.Reads(names.script);
    plan.Writes(names.results, OutputKind::kResults, of);
    plan.Writes(names.listing, OutputKind::kListing, of);
  }
  if (!o.gpx.empty()) plan.Writes(o.gpx, OutputKind::kGpx, "", "--gpx");
  return plan.Refusals();
}

// The front-end core's sentences start with a capital; after "orbelin: " a
// terminal's messages do not.
std::string Lowered(std::string sentence) {
  if (!sentence.empty()) {
    sentence[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(sentence[0])));
  }
  return sentence;
}

// Says a file problem on standard error: "orbelin: cannot read ...".
int Complain(const std::string& sentence, const char* advice = "") {
  std::fprintf(stderr, "orbelin: %s%s\n", Lowered(sentence).c_str(), advice);
  return kExitTrouble;
}

// Shows what one run did: results on standard output, diagnostics on
// standard error, and what went wrong with its files.
int Show(Options& o, const std::string& name, const std::string& stem, const ScriptFileNames& names,
         const FileCalc& calc) {
  if (!calc.ran()) {
    return Complain(
        calc.Problem(names),
        calc.status == FileCalcStatus::kResultsUncreatable
            ? "\n  --output-dir DIR writes the results elsewhere, --no-files writes none."
            : "");
  }
  const CalcView& view = calc.view;
  if (view.run.point_set) o.points.push_back({stem, view.run.point});
  o.out->Write(ForTerminal(view.run.output(), o.bytes));
  Report(stderr, name, view.source, view.explanations(), o.bytes, UseColour(stderr));
  int status = view.has_errors() ? kExitScriptErrors : kExitClean;
  if (const std::string problem = calc.Problem(names); !problem.empty()) {
    status = std::max(status, Complain(problem));
  }
  // A listing is a file the run promised, as the results are.
  if (const std::string problem = calc.ListingProblem(names); !problem.empty()) {
    status = std::max(status, Complain(problem));
  }
  return status;
}

int RunFile(Options& o, Session& session, const Input& input) {
  const ScriptFileNames names = NamesOf(o, input);
  return Show(o, names.script, Stem(names.script), names,
              CalcScriptFile(session, names, o.encoding));
}

// A script that is no file: standard input or the command line's text.
int RunText(Options& o, Session& session, const Input& input, const std::string& name,
            const std::string& stem, const std::string& bytes) {
  const ScriptFileNames outputs = NamesOf(o, input);
  Utf8Damage damage;
  std::vector<LostCharacter> lost;
  std::string source = DecodeScript(bytes, o.encoding, &damage, &lost);
  return Show(o, name, stem, outputs,
              CalcText(session, outputs, std::move(source), damage, std::move(lost)));
}

// --gpx: one waypoint for each script that set a point, through the point
// rules every front end shares.
int WriteGpx(const Options& o) {
  const GpxFile file = GpxWaypoints(o.points);
  int status = kExitClean;
  for (const std::string& refusal : file.refusals) {
    std::fprintf(stderr, "orbelin: %s\n", refusal.c_str());  // "NAME: The point ..."
    status = kExitTrouble;
  }
  if (file.gpx.empty()) {
    return Complain("No waypoint for " + o.gpx +
                    ": no script set a point that is a place on the Earth (OLAT and OLON); the "
                    "file was not written.");
  }
  if (const std::error_code error = WriteOutputFile(o.gpx, file.gpx, /*sync=*/true)) {
    return Complain("Cannot write " + o.gpx + ": " + error.message() + ".");
  }
  return status;
}

bool ReadStdin(std::string* bytes) {
  char chunk[1 << 16];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, stdin)) > 0) bytes->append(chunk, n);
  return std::ferror(stdin) == 0;
}

}  // namespace

int RunCommand(const std::vector<std::string>& args, StandardOutput& out) {
  Options o;
  o.out = &out;
  if (const int status = Parse(args, &o); status >= 0) return status;
  if (const std::vector<std::string> refusals = PlanRefusals(o); !refusals.empty()) {
    for (size_t i = 0; i < refusals.size(); ++i) {
      Complain(refusals[i] + (i + 1 == refusals.size() ? " Nothing was run." : ""));
    }
    return kExitTrouble;
  }
  if (!o.output_dir.empty()) {
    if (const std::error_code error = MakeFolders(o.output_dir)) {
      return Complain("Cannot make the output folder " + o.output_dir + ": " + error.message() +
                      ".");
    }
  }

  Session session;
  int status = kExitClean;
  for (const Input& input : o.inputs) {
    switch (input.kind) {
      case Input::Kind::kFile:
        status = std::max(status, RunFile(o, session, input));
        break;
      case Input::Kind::kStdin: {
        std::string bytes;
        if (!ReadStdin(&bytes)) {
          status = std::max(
              status, Complain(std::string("cannot read standard input: ") + std::strerror(errno)));
          break;
        }
        status = std::max(status, RunText(o, session, input, "<stdin>", "stdin", bytes));
        break;
      }
      case Input::Kind::kText:
        status = std::max(
            status, RunText(o, session, input, "<command line>", "command-line", input.value));
        break;
    }
  }
  if (!o.gpx.empty()) status = std::max(status, WriteGpx(o));
  return status;
}

}  // namespace orbelin::cli
