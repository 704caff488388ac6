#include "frontend/output_plan.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <set>
#include <tuple>
#include <utility>

#include "frontend/file_io.h"
#include "frontend/script_names.h"

namespace orbelin {

namespace {

namespace fs = std::filesystem;

// What tells two names of one file apart from two files: device and inode
// for a file that exists; for one that does not exist yet, the absolute
// path with the folders that exist resolved (their links, "." and "..").
using Identity = std::tuple<bool, dev_t, ino_t, std::string>;

Identity IdentityOf(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) == 0) return {true, st.st_dev, st.st_ino, ""};
  std::error_code error;
  fs::path resolved = fs::absolute(path, error);
  if (!error) resolved = fs::weakly_canonical(resolved, error);
  return {false, 0, 0, error ? path : resolved.lexically_normal().string()};
}

std::string Capitalised(std::string sentence) {
  if (!sentence.empty() && sentence[0] >= 'a' && sentence[0] <= 'z') sentence[0] -= 'a' - 'A';
  return sentence;
}

// Where a symbolic link points, as it is written; "" when `path` is none.
std::string LinkTarget(const std::string& path) {
  struct stat st;
  if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return "";
  std::string target(4096, '\0');
  const ssize_t n = readlink(path.c_str(), target.data(), target.size());
  target.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return target.empty() ? "?" : target;
}

const char* Plural(OutputKind kind) {
  return kind == OutputKind::kListing ? "listings" : "results";
}

}  // namespace

void OutputPlan::Reads(const std::string& path) {
  if (!path.empty()) inputs_.push_back(path);
}

void OutputPlan::Writes(const std::string& path, OutputKind kind, const std::string& of,
                        const std::string& option) {
  if (!path.empty()) outputs_.push_back({path, kind, of, option});
}

std::vector<std::string> OutputPlan::Refusals() const {
  // How messages call an output.
  const auto what = [](const Output& o) -> std::string {
    const std::string named = o.option.empty() ? "" : " (" + o.option + ")";
    switch (o.kind) {
      case OutputKind::kResults:
        return o.of.empty() ? "the results" : "the results of " + o.of;
      case OutputKind::kListing:
        return o.of.empty() ? "the listing" : "the listing of " + o.of;
      case OutputKind::kGpx:
        return "the GPX file" + named;
      case OutputKind::kCsv:
        return "the CSV file" + named;
    }
    return "the file";
  };

  std::vector<std::string> refusals;
  std::map<Identity, size_t> inputs;
  for (size_t i = 0; i < inputs_.size(); ++i) inputs.try_emplace(IdentityOf(inputs_[i]), i);
  std::map<Identity, size_t> outputs;
  // Two runs that clash over their results clash over their listings too:
  // one sentence says both.
  std::set<std::pair<std::string, std::string>> clashing_runs;

  for (size_t i = 0; i < outputs_.size(); ++i) {
    const Output& o = outputs_[i];
    // A link in an output's place may have come with the files (a folder
    // unpacked from someone's archive) and point at anything.
    if (const std::string target = LinkTarget(o.path); !target.empty()) {
      struct stat st;
      const bool leads_nowhere = stat(o.path.c_str(), &st) != 0;
      refusals.push_back(Capitalised(what(o)) + " would go to " + o.path + ", a symbolic link to " +
                         target + (leads_nowhere ? " (which does not exist)" : "") +
                         ": Orbelin writes no output through a link, which could point at any "
                         "file. Delete the link, or write elsewhere.");
      continue;
    }
    const Identity id = IdentityOf(o.path);
    if (const auto in = inputs.find(id); in != inputs.end()) {
      const std::string& script = inputs_[in->second];
      if (o.of == script && (o.kind == OutputKind::kResults || o.kind == OutputKind::kListing)) {
        refusals.push_back("The script " + script + " would be overwritten by its own " +
                           (o.kind == OutputKind::kListing ? "listing" : "results") +
                           ": a run writes its results and its listing into files named like "
                           "the script with .res and .lst. Give the script another name, such "
                           "as " +
                           Stem(script) + ".inp.");
      } else {
        refusals.push_back("The script " + script + " would be overwritten by " + what(o) + ".");
      }
      continue;
    }
    const auto [first, added] = outputs.try_emplace(id, i);
    if (added) continue;
    const Output& other = outputs_[first->second];
    const bool runs = o.kind == other.kind && !o.of.empty() && !other.of.empty() &&
                      (o.kind == OutputKind::kResults || o.kind == OutputKind::kListing);
    if (!runs) {
      refusals.push_back(Capitalised(what(other)) + " and " + what(o) +
                         " would both be written to " + o.path + ", and one would be lost.");
    } else if (clashing_runs.insert({other.of, o.of}).second) {
      if (o.of == other.of) {
        refusals.push_back("The script " + o.of + " is named twice: its second run would write " +
                           "its " + Plural(o.kind) + " over those of the first, in " + o.path +
                           ". Name it once, or run with --no-files.");
      } else {
        refusals.push_back("The scripts " + other.of + " and " + o.of + " would both write their " +
                           Plural(o.kind) + " to " + o.path +
                           ": the second would replace the first. Give one of them another "
                           "name, or run them one at a time.");
      }
    }
  }
  return refusals;
}

std::error_code WriteOutputFile(const std::string& path, std::string_view bytes, bool sync) {
  return ReplaceFile(path, bytes, {.sync = sync, .follow_links = false});
}

std::string OneParagraph(const std::vector<std::string>& sentences) {
  std::string text;
  for (const std::string& s : sentences) text += (text.empty() ? "" : " ") + s;
  return text;
}

}  // namespace orbelin
