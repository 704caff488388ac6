#include "usage.h"

#include <cstdio>

#include "run_command.h"

namespace orbelin::cli {

const char kUsage[] =
    "Usage: orbelin run [OPTIONS] SCRIPT... | - | -e TEXT\n"
    "       orbelin help [KEYWORD | TOPIC | E<number>]\n"
    "       orbelin window [WINDOW-OPTIONS...]\n"
    "       orbelin --help | --version\n";

const char kHelp[] =
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
    "  --output-dir DIR   write the .res and .lst files into DIR, which is made\n"
    "                     when it does not exist (a script in a read-only folder\n"
    "                     can still run)\n"
    "  --no-files         write no .res and .lst files at all\n"
    "  --gpx FILE         also write FILE, a GPX 1.1 file with one waypoint for\n"
    "                     each script that set a point with OLAT and OLON, named\n"
    "                     after the script; a point that is no place on the Earth\n"
    "                     is left out with a message, and the status is 2\n"
    "  --encoding auto    (default) a script in UTF-8 (valid UTF-8 with non-ASCII\n"
    "                     characters, or a byte-order mark) is converted to\n"
    "                     Windows-1252 before it runs; otherwise its bytes are\n"
    "                     taken as Windows-1252. Output is printed as UTF-8.\n"
    "  --encoding utf-8   the script is UTF-8; output is printed as UTF-8.\n"
    "  --encoding cp1252  the script's bytes are taken as they are, and output is\n"
    "                     printed as raw Windows-1252 bytes.\n"
    "  -e TEXT            TEXT is the script, even when it starts with '-'\n"
    "  A character with no Windows-1252 form becomes '?'. Colours on a terminal\n"
    "  are left out when NO_COLOR is set or TERM is dumb.\n"
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

int UsageError(const std::string& complaint) {
  std::fprintf(stderr, "orbelin: %s\n%sTry 'orbelin --help' for more.\n", complaint.c_str(),
               kUsage);
  return kExitTrouble;
}

}  // namespace orbelin::cli
