#include "run_command.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "base/file_names.h"
#include "base/script_encoding.h"
#include "interp/explain.h"
#include "interp/script_file_run.h"
#include "interp/session.h"
#include "terminal_report.h"

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
  std::vector<Input> inputs;
};

int Usage(const std::string& complaint) {
  std::fprintf(stderr,
               "orbelin: %s\n"
               "Usage: orbelin run [--encoding auto|cp1252|utf-8] [--output-dir DIR | --no-files]\n"
               "                   SCRIPT... | - | -e TEXT\n"
               "Try 'orbelin --help' for more.\n",
               complaint.c_str());
  return kExitTrouble;
}

// Reads "--name VALUE" or "--name=VALUE"; false when the argument is not it.
bool OptionValue(const std::vector<std::string>& args, size_t* i, std::string_view name,
                 std::string* value, bool* missing) {
  const std::string_view a = args[*i];
  if (a == name) {
    if (*i + 1 >= args.size()) {
      *missing = true;
      return true;
    }
    *value = args[++*i];
    return true;
  }
  if (a.size() > name.size() && a.starts_with(name) && a[name.size()] == '=') {
    *value = std::string(a.substr(name.size() + 1));
    return true;
  }
  return false;
}

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
    } else if (a == "-") {
      o->inputs.push_back({Input::Kind::kStdin, ""});
    } else if (a == "-e") {
      if (i + 1 >= args.size()) return Usage("-e needs the script text, as in -e 'WRITE 2^10;'");
      o->inputs.push_back({Input::Kind::kText, args[++i]});
    } else if (a == "--no-files") {
      o->no_files = true;
    } else if (OptionValue(args, &i, "--encoding", &value, &missing)) {
      if (missing) return Usage("--encoding needs a value: auto, cp1252 or utf-8");
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
        return Usage("unknown encoding '" + value + "' (auto, cp1252 or utf-8)");
      }
    } else if (OptionValue(args, &i, "--output-dir", &value, &missing)) {
      if (missing || value.empty()) return Usage("--output-dir needs a folder");
      o->output_dir = value;
    } else {
      return Usage("unknown option '" + a + "'");
    }
  }
  if (o->inputs.empty()) return Usage("no script given");
  if (o->no_files && !o->output_dir.empty()) {
    return Usage("--no-files and --output-dir cannot go together");
  }
  return -1;
}

// Where the results and the listing of a script called `stem` go; empty
// names write nothing.
void PlaceFiles(const Options& o, ScriptFileNames* names, const std::string& stem,
                bool beside_by_default) {
  if (o.no_files || (o.output_dir.empty() && !beside_by_default)) {
    names->results.clear();
    names->listing.clear();
  } else if (!o.output_dir.empty()) {
    std::string dir = o.output_dir;
    if (dir.back() != '/') dir += '/';
    names->results = dir + stem + ".res";
    names->listing = dir + stem + ".lst";
  }
}

// The name without folder and extension, for files in --output-dir.
std::string Stem(const ScriptFileNames& names) {
  const std::string& file = names.name.empty() ? names.script : names.name;
  const size_t dot = file.rfind('.');
  return dot == std::string::npos || dot == 0 ? file : file.substr(0, dot);
}

int Complain(const char* what, const std::string& path, int error, const char* advice = "") {
  std::fprintf(stderr, "orbelin: %s '%s': %s%s\n", what, path.c_str(), std::strerror(error),
               advice);
  return kExitTrouble;
}

// Shows one run: results on standard output, diagnostics on standard error.
int Show(const Options& o, const std::string& name, const std::string& source,
         const RunResult& result) {
  Print(stdout, result.output(), o.bytes);
  std::fflush(stdout);
  const std::vector<Explanation> diagnostics = Explain(source, result);
  Report(stderr, name, source, diagnostics, o.bytes, UseColour(stderr));
  return result.clean() ? kExitClean : kExitScriptErrors;
}

int RunFile(const Options& o, Session& session, const std::string& path) {
  ScriptFileNames names = BuildFileNames(path);
  PlaceFiles(o, &names, Stem(names), true);
  const ScriptFileRun run = RunScriptFile(session, names, o.encoding);
  switch (run.status) {
    case ScriptFileStatus::kScriptUnreadable:
      return Complain("cannot read the script", names.script, run.os_error);
    case ScriptFileStatus::kScriptNotAFile:
      std::fprintf(stderr, "orbelin: '%s' is %s, not a script file\n", names.script.c_str(),
                   run.os_error == EISDIR ? "a folder" : "a device or a pipe");
      return kExitTrouble;
    case ScriptFileStatus::kResultsUncreatable:
      return Complain("cannot create the results", names.results, run.os_error,
                      "\n  The script was not run. --output-dir DIR writes the results "
                      "elsewhere, --no-files writes none.");
    case ScriptFileStatus::kRan:
      break;
  }
  int status = Show(o, names.script, run.source, run.result);
  if (run.results_error != 0) {
    status = std::max(
        status, Complain("could not finish writing the results", names.results, run.results_error));
  }
  if (run.listing_error != 0) {
    std::fprintf(stderr, "orbelin: warning: cannot write the listing '%s': %s\n",
                 names.listing.c_str(), std::strerror(run.listing_error));
  }
  return status;
}

// A script that is no file: standard input or the command line's text. It
// writes files only into --output-dir.
int RunText(const Options& o, Session& session, const std::string& name, const std::string& stem,
            const std::string& bytes) {
  ScriptFileNames names;
  PlaceFiles(o, &names, stem, false);
  const std::string source = DecodeScript(bytes, o.encoding);
  const RunResult result = session.Run(source);
  int status = Show(o, name, source, result);
  if (!names.results.empty()) {
    if (const int error = WriteWholeFile(names.results, result.results); error != 0) {
      status = std::max(status, Complain("cannot write the results", names.results, error));
    }
    if (const int error = WriteWholeFile(names.listing, result.listing); error != 0) {
      std::fprintf(stderr, "orbelin: warning: cannot write the listing '%s': %s\n",
                   names.listing.c_str(), std::strerror(error));
    }
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

int RunCommand(const std::vector<std::string>& args) {
  Options o;
  if (const int status = Parse(args, &o); status >= 0) return status;

  Session session;
  int status = kExitClean;
  bool stdin_read = false;
  for (const Input& input : o.inputs) {
    switch (input.kind) {
      case Input::Kind::kFile:
        status = std::max(status, RunFile(o, session, input.value));
        break;
      case Input::Kind::kStdin: {
        std::string bytes;
        if (stdin_read) {
          status = std::max(status, Usage("standard input can be read only once"));
          break;
        }
        stdin_read = true;
        if (!ReadStdin(&bytes)) {
          status = std::max(status, Complain("cannot read", "standard input", errno));
          break;
        }
        status = std::max(status, RunText(o, session, "<stdin>", "stdin", bytes));
        break;
      }
      case Input::Kind::kText:
        status =
            std::max(status, RunText(o, session, "<command line>", "command-line", input.value));
        break;
    }
  }
  return status;
}

}  // namespace orbelin::cli
