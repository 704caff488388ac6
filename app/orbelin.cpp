// orbelin: runs scripts from the command line, as the window's Calc does.
//
//   orbelin run [--encoding auto|cp1252|utf-8] SCRIPT...
//   orbelin window [ARGS...]
//
// Exit status: 0 every run was clean, 1 a script had errors, 2 a file could
// not be opened or the arguments are wrong.

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "base/cp1252.h"
#include "base/file_names.h"
#include "help/help.h"
#include "interp/script_file_run.h"
#include "interp/session.h"

namespace {

constexpr int kExitClean = 0;
constexpr int kExitScriptErrors = 1;
constexpr int kExitTrouble = 2;

constexpr char kUsage[] =
    "Usage: orbelin run [--encoding auto|cp1252|utf-8] SCRIPT...\n"
    "       orbelin window [WINDOW-OPTIONS...]\n"
    "       orbelin help [KEYWORD | TOPIC | E<number>]\n"
    "       orbelin --help | --version\n";

constexpr char kHelp[] =
    "Orbelin, a calculator for puzzle solving and field navigation.\n"
    "\n"
    "orbelin run SCRIPT...\n"
    "  Runs each script in turn in one session, so variables, MARGIN, cipher keys,\n"
    "  the Enigma machine and the hand-off point carry over from one script to the\n"
    "  next, as between two presses of Calc in the window. A name without an\n"
    "  extension gets \".inp\". Each run writes NAME.res (the results, then one line\n"
    "  per error) and NAME.lst (the listing with every error marked) beside the\n"
    "  script, in Windows-1252. Standard output shows the results, or the listing\n"
    "  when the script had errors.\n"
    "\n"
    "  --encoding auto    (default) a script that is valid UTF-8 with non-ASCII\n"
    "                     characters is converted to Windows-1252 before it runs;\n"
    "                     otherwise its bytes are taken as Windows-1252. Output is\n"
    "                     printed as UTF-8.\n"
    "  --encoding utf-8   the script is UTF-8; output is printed as UTF-8.\n"
    "  --encoding cp1252  the script's bytes are taken as they are, and output is\n"
    "                     printed as the raw Windows-1252 bytes of the files.\n"
    "  A character with no Windows-1252 form becomes '?'.\n"
    "\n"
    "orbelin help [KEYWORD | TOPIC | E<number>]\n"
    "  The handbook on the terminal: every keyword, topic and message.\n"
    "\n"
    "orbelin window [OPTIONS...]\n"
    "  Opens the window (the program orbelin-window beside this one).\n"
    "\n"
    "Exit status: 0 when every run was clean, 1 when a script had errors,\n"
    "2 when a file could not be opened or the arguments were wrong.\n";

enum class TerminalEncoding {
  kUtf8,    // results are converted from Windows-1252 for the terminal
  kCp1252,  // results are printed as the raw bytes of the files
};

void Print(std::string_view bytes, TerminalEncoding encoding) {
  const std::string shown =
      encoding == TerminalEncoding::kUtf8 ? orbelin::Cp1252ToUtf8(bytes) : std::string(bytes);
  std::fwrite(shown.data(), 1, shown.size(), stdout);
  std::fflush(stdout);
}

// Runs one script file in the session and shows the results, or the listing
// when it had errors. The exit status of this script alone.
int RunOne(orbelin::Session& session, const std::string& script, orbelin::SourceEncoding source,
           TerminalEncoding terminal) {
  using orbelin::ScriptFileStatus;
  const orbelin::ScriptFileNames names = orbelin::BuildFileNames(script);
  const orbelin::ScriptFileRun run = orbelin::RunScriptFile(session, names, source);
  switch (run.status) {
    case ScriptFileStatus::kScriptUnreadable:
    case ScriptFileStatus::kScriptNotAFile:
      std::fprintf(stderr, "orbelin: cannot read script '%s': %s\n", names.script.c_str(),
                   std::strerror(run.os_error));
      return kExitTrouble;
    case ScriptFileStatus::kResultsUncreatable:
      std::fprintf(stderr, "orbelin: cannot write results '%s': %s\n", names.results.c_str(),
                   std::strerror(run.os_error));
      return kExitTrouble;
    case ScriptFileStatus::kRan:
      break;
  }
  const orbelin::RunResult& result = run.result;
  Print(result.clean() ? result.results : result.listing, terminal);
  if (!result.clean()) std::fputs("Compilation errors\n", stderr);
  if (run.results_error != 0) {
    std::fprintf(stderr, "orbelin: cannot write results '%s': %s\n", names.results.c_str(),
                 std::strerror(run.results_error));
    return kExitTrouble;
  }
  if (run.listing_error != 0) {
    std::fprintf(stderr, "orbelin: warning: cannot write listing '%s': %s\n", names.listing.c_str(),
                 std::strerror(run.listing_error));
  }
  return result.clean() ? kExitClean : kExitScriptErrors;
}

int Usage(const char* complaint) {
  std::fprintf(stderr, "orbelin: %s\n%s", complaint, kUsage);
  return kExitTrouble;
}

int Run(const std::vector<std::string>& args) {
  orbelin::SourceEncoding source = orbelin::SourceEncoding::kAuto;
  TerminalEncoding terminal = TerminalEncoding::kUtf8;
  std::vector<std::string> scripts;
  bool options_done = false;
  for (size_t i = 0; i < args.size(); ++i) {
    std::string_view a = args[i];
    if (!options_done && a == "--") {
      options_done = true;
    } else if (!options_done && (a == "--encoding" || a.starts_with("--encoding="))) {
      std::string_view value;
      if (a == "--encoding") {
        if (i + 1 >= args.size()) return Usage("--encoding needs a value");
        value = args[++i];
      } else {
        value = a.substr(std::strlen("--encoding="));
      }
      if (value == "auto") {
        source = orbelin::SourceEncoding::kAuto;
        terminal = TerminalEncoding::kUtf8;
      } else if (value == "utf-8" || value == "utf8") {
        source = orbelin::SourceEncoding::kUtf8;
        terminal = TerminalEncoding::kUtf8;
      } else if (value == "cp1252") {
        source = orbelin::SourceEncoding::kCp1252;
        terminal = TerminalEncoding::kCp1252;
      } else {
        return Usage(("unknown encoding '" + std::string(value) + "'").c_str());
      }
    } else if (!options_done && a.size() > 1 && a[0] == '-') {
      return Usage(("unknown option '" + std::string(a) + "'").c_str());
    } else {
      scripts.emplace_back(a);
    }
  }
  if (scripts.empty()) return Usage("no script given");

  orbelin::Session session;
  int status = kExitClean;
  for (const std::string& script : scripts) {
    status = std::max(status, RunOne(session, script, source, terminal));
  }
  return status;
}

// The window is a program of its own, so the command line never loads the
// window toolkit.
int Window(char** argv) {
  std::vector<char> self(4096);
  ssize_t n = readlink("/proc/self/exe", self.data(), self.size() - 1);
  std::string dir = ".";
  if (n > 0) {
    std::string path(self.data(), static_cast<size_t>(n));
    size_t slash = path.rfind('/');
    if (slash != std::string::npos) dir = path.substr(0, slash);
  }
  std::string program = dir + "/orbelin-window";
  argv[0] = program.data();
  execv(program.c_str(), argv);
  std::fprintf(stderr, "orbelin: cannot start '%s': %s\n", program.c_str(), std::strerror(errno));
  return kExitTrouble;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage("no command given");
  std::string_view command = argv[1];
  if (command == "help") return orbelin::RunHelpCommand({argv + 2, argv + argc}, stdout, stderr);
  if (command == "--help" || command == "-h") {
    std::fputs(kHelp, stdout);
    return kExitClean;
  }
  if (command == "--version") {
    std::printf("orbelin %s\n", ORBELIN_VERSION);
    return kExitClean;
  }
  if (command == "run") {
    std::vector<std::string> args(argv + 2, argv + argc);
    for (const std::string& a : args) {
      if (a == "--help" || a == "-h") {
        std::fputs(kHelp, stdout);
        return kExitClean;
      }
    }
    return Run(args);
  }
  if (command == "window") return Window(argv + 1);
  return Usage(("unknown command '" + std::string(command) + "'").c_str());
}
