// Standard output as Unix tools keep it: what a command prints is its
// result, so a write that fails (a full disk, a closed stream) fails the
// command, with a sentence on standard error. A reader that went away
// (EPIPE, as after `| head`) is no failure to speak of: the rest is
// dropped without a word.
#pragma once

#include <string_view>

namespace orbelin::cli {

class StandardOutput {
 public:
  // Writes the bytes now, in full; false once a write has failed (later
  // writes are skipped).
  bool Write(std::string_view bytes);
  // The command's exit status: kExitTrouble after saying on standard error
  // why its output was lost, else `status`.
  int Finish(int status);

 private:
  int error_ = 0;  // the errno of the first failed write
};

// Standard input, output or error that the program was started without
// (`>&-`) are opened on /dev/null the wrong way round: no file the program
// opens can take their number and receive its output, and every write to a
// closed standard output fails as it should.
void GuardStandardStreams();

}  // namespace orbelin::cli
