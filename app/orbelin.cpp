// orbelin: Orbelin on the command line.
//
//   orbelin run [OPTIONS] SCRIPT... | - | -e TEXT
//   orbelin help [WORD...]
//   orbelin vary SCRIPT --set NAME=VALUES... [OPTIONS]
//   orbelin window [WINDOW-OPTIONS...]
//
// Exit status: 0 every run was clean, 1 a script had errors, 2 a file could
// not be read or written (standard output included), or the arguments are
// wrong (`vary` says its own).

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "help/help.h"
#include "large_heap.h"
#include "run_command.h"
#include "standard_output.h"
#include "usage.h"
#include "vary_command.h"

namespace {

using orbelin::cli::kExitClean;
using orbelin::cli::kExitTrouble;
using orbelin::cli::StandardOutput;

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

// `orbelin help`: its text is gathered first and written as one, so that a
// failed write is seen.
int Help(const std::vector<std::string>& args, StandardOutput& out) {
  char* text = nullptr;
  size_t size = 0;
  std::FILE* gathered = open_memstream(&text, &size);
  if (gathered == nullptr) return orbelin::RunHelpCommand(args, stdout, stderr);
  const int status = orbelin::RunHelpCommand(args, gathered, stderr);
  std::fclose(gathered);
  out.Write(std::string_view(text, size));
  std::free(text);
  return status;
}

int Command(int argc, char** argv, StandardOutput& out) {
  if (argc < 2) return orbelin::cli::UsageError("no command given");
  const std::string_view command = argv[1];
  if (command == "help") return Help({argv + 2, argv + argc}, out);
  if (command == "--help" || command == "-h") {
    out.Write(orbelin::cli::kHelp);
    return kExitClean;
  }
  if (command == "--version") {
    out.Write("orbelin " ORBELIN_VERSION "\n");
    return kExitClean;
  }
  if (command == "run") {
    orbelin::cli::PrepareLargeHeap();
    return orbelin::cli::RunCommand({argv + 2, argv + argc}, out);
  }
  if (command == "vary") return orbelin::cli::VaryCommand({argv + 2, argv + argc}, out);
  if (command == "window") return Window(argv + 1);
  return orbelin::cli::UsageError("unknown command '" + std::string(command) + "'");
}

}  // namespace

int main(int argc, char** argv) {
  orbelin::cli::GuardStandardStreams();
  StandardOutput out;
  return out.Finish(Command(argc, argv, out));
}
