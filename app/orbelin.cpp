// orbelin: Orbelin on the command line.
//
//   orbelin run [OPTIONS] SCRIPT... | - | -e TEXT
//   orbelin help [KEYWORD | TOPIC | E<number>]
//   orbelin window [WINDOW-OPTIONS...]
//
// Exit status: 0 every run was clean, 1 a script had errors, 2 a file could
// not be read or written, or the arguments are wrong.

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "help/help.h"
#include "large_heap.h"
#include "run_command.h"

namespace {

using orbelin::cli::kExitClean;
using orbelin::cli::kExitTrouble;

constexpr char kUsage[] =
    "Usage: orbelin run [OPTIONS] SCRIPT... | - | -e TEXT\n"
    "       orbelin help [KEYWORD | TOPIC | E<number>]\n"
    "       orbelin window [WINDOW-OPTIONS...]\n"
    "       orbelin --help | --version\n";

constexpr char kHelp[] =
    "Orbelin, a calculator for puzzle solving and field navigation.\n"
    "\n"
    "orbelin run [OPTIONS] SCRIPT...\n"
    "  Runs each script in turn in one session, so variables GM1 to GM3, MARGIN,\n"
    "  cipher keys, the Enigma machine and the hand-off point carry over from one\n"
    "  script to the next, as between two presses of Calc in the window. A name\n"
    "  without an extension gets \".inp\". The results go to standard output;\n"
    "  errors and warnings go to standard error as FILE:LINE:COLUMN messages with\n"
    "  the line, a caret under the place and a hint. Each run also writes\n"
    "  NAME.res (the results, then one line per error) and NAME.lst (the listing\n"
    "  with every error marked) beside the script, in Windows-1252.\n"
    "\n"
    "orbelin run [OPTIONS] -          runs the script on standard input\n"
    "orbelin run [OPTIONS] -e TEXT    runs TEXT, as in: orbelin run -e 'WRITE 2^10;'\n"
    "  These write no .res or .lst unless --output-dir is given (they are then\n"
    "  called stdin.res and command-line.res).\n"
    "\n"
    "Options:\n"
    "  --output-dir DIR   write the .res and .lst files into DIR (a script in a\n"
    "                     read-only folder can still run)\n"
    "  --no-files         write no .res and .lst files at all\n"
    "  --encoding auto    (default) a script in UTF-8 (valid UTF-8 with non-ASCII\n"
    "                     characters, or a byte-order mark) is converted to\n"
    "                     Windows-1252 before it runs; otherwise its bytes are\n"
    "                     taken as Windows-1252. Output is printed as UTF-8.\n"
    "  --encoding utf-8   the script is UTF-8; output is printed as UTF-8.\n"
    "  --encoding cp1252  the script's bytes are taken as they are, and output is\n"
    "                     printed as raw Windows-1252 bytes.\n"
    "  A character with no Windows-1252 form becomes '?'. Colours on a terminal\n"
    "  are left out when NO_COLOR is set.\n"
    "\n"
    "orbelin help [KEYWORD | TOPIC | E<number>]\n"
    "  The handbook on the terminal: every keyword, topic and message.\n"
    "\n"
    "orbelin window [OPTIONS...]\n"
    "  Opens the window (the program orbelin-window beside this one).\n"
    "\n"
    "Exit status: 0 when every run was clean, 1 when a script had errors, 2 when\n"
    "a file could not be read or written or the arguments were wrong. Warnings\n"
    "alone do not change it.\n";

int Usage(const std::string& complaint) {
  std::fprintf(stderr, "orbelin: %s\n%s", complaint.c_str(), kUsage);
  return kExitTrouble;
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
  const std::string_view command = argv[1];
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
    orbelin::cli::PrepareLargeHeap();
    const std::vector<std::string> args(argv + 2, argv + argc);
    for (const std::string& a : args) {
      if (a == "--") break;
      if (a == "--help" || a == "-h") {
        std::fputs(kHelp, stdout);
        return kExitClean;
      }
    }
    return orbelin::cli::RunCommand(args);
  }
  if (command == "window") return Window(argv + 1);
  return Usage("unknown command '" + std::string(command) + "'");
}
