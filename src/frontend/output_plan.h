// The files one command reads and writes, known before anything runs, as a
// build tool knows its targets. Every output Orbelin writes is planned
// here: the results and listings of `orbelin run` (beside the scripts or in
// --output-dir), its --gpx file, the --csv and --gpx files of `orbelin
// vary`, and the window's Calc and exports.
//
// A plan is refused, with a sentence that names the files, when an output
// would land on an input, when two outputs would be one file (two runs of
// one command included: the sentence names both scripts), or when an
// output is a symbolic link. Files are told apart by device and inode where
// they exist, and by their path with every link and ".." resolved where
// they do not yet.
#pragma once

#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace orbelin {

enum class OutputKind { kResults, kListing, kGpx, kCsv };

class OutputPlan {
 public:
  // A script the command reads.
  void Reads(const std::string& path);
  // A file the command writes. `of` is the script whose run writes it (how
  // messages call that script: its path, "<stdin>", "-e 'WRITE 1;'"), ""
  // for a file of the whole command; `option` is the option that named it
  // ("--gpx"), "" for none.
  void Writes(const std::string& path, OutputKind kind, const std::string& of = "",
              const std::string& option = "");

  // What forbids the plan, one sentence for each thing found, in the order
  // the files were named; empty when every output may be written. Looks at
  // the disk as it is now.
  std::vector<std::string> Refusals() const;

 private:
  struct Output {
    std::string path;
    OutputKind kind;
    std::string of, option;
  };
  std::vector<std::string> inputs_;
  std::vector<Output> outputs_;
};

// Writes an output that a plan allowed: exactly these bytes or nothing, and
// never through a symbolic link (a link that appeared since the plan is
// refused with ALinkIsInTheWay). `sync` waits for the disk, for a file that
// no later run makes again.
std::error_code WriteOutputFile(const std::string& path, std::string_view bytes, bool sync = false);

// The sentences joined into one paragraph, for a message box.
std::string OneParagraph(const std::vector<std::string>& sentences);

}  // namespace orbelin
