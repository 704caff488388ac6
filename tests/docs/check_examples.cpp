// Runs every marked example of the handbook through the real program and
// compares what it prints with the output shown beside it, byte for byte.
//
//   check_examples ORBELIN REPOSITORY
//
// Each example runs in a session of its own in a scratch folder; an example
// marked "continues" runs in the session of the one before it, as the
// scripts of one `orbelin run A B` call do. A checked example must run
// without errors: only the results are compared, never a listing. Every
// script in examples/ must be shown in the handbook. A mismatch is reported
// as FILE:LINE of the first line that differs.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "base/cp1252.h"
#include "examples.h"
#include "file_bytes.h"
#include "markdown.h"

namespace {

namespace fs = std::filesystem;

using orbelin::testing::ReadBytes;
using orbelin::testing::WriteBytes;
std::string Quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += (c == '\'') ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

struct Located {
  std::string file;  // shown in reports, relative to the repository
  handbook::Example example;
};

// The line of text in which byte `at` lies.
std::string LineAt(const std::string& text, size_t at) {
  at = std::min(at, text.size());
  size_t start = text.rfind('\n', at == 0 ? 0 : at - 1);
  start = (start == std::string::npos || at == 0) ? 0 : start + 1;
  size_t end = text.find('\n', at);
  return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

class Checker {
 public:
  Checker(std::string orbelin, fs::path repository, fs::path scratch)
      : orbelin_(std::move(orbelin)), repo_(std::move(repository)), scratch_(std::move(scratch)) {}

  // One session: the examples of the chain in order. True when all match.
  bool RunChain(const std::vector<Located>& chain) {
    fs::path dir = scratch_ / ("session" + std::to_string(++sessions_));
    fs::create_directories(dir);
    std::string command = Quote(orbelin_) + " run";
    std::string expected;
    for (size_t i = 0; i < chain.size(); ++i) {
      const handbook::Example& ex = chain[i].example;
      fs::path script = dir / ("part" + std::to_string(i) + ".inp");
      if (ex.script_path.empty()) {
        WriteBytes(script, ex.script);
      } else {
        fs::path source = repo_ / ex.script_path;
        if (!fs::exists(source)) {
          std::printf("%s:%d: %s does not exist\n", chain[i].file.c_str(), ex.marker_line,
                      ex.script_path.c_str());
          return false;
        }
        fs::copy_file(source, script);
      }
      command += " " + Quote(script.string());
      expected += ex.output;
    }
    command += " >" + Quote((dir / "stdout").string()) + " 2>" + Quote((dir / "stderr").string()) +
               " </dev/null";
    int raw = std::system(command.c_str());
    int status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::string got = ReadBytes(dir / "stdout");
    const Located& first = chain.front();
    // An example that shows a listing is compared with the listing file: it
    // is how the window shows a script with errors.
    const bool listing = chain.size() == 1 && expected.starts_with("Listing:\n");
    if (listing) {
      got = orbelin::Cp1252ToUtf8(ReadBytes(dir / "part0.lst"));
      if (status == 1) status = 0;
    }
    if (status != 0) {
      std::printf(
          "%s:%d: the example did not run cleanly (status %d); a checked example must "
          "have no errors\n%s%s",
          first.file.c_str(), first.example.marker_line, status, got.c_str(),
          ReadBytes(dir / "stderr").c_str());
      return false;
    }
    if (got == expected) return true;
    size_t at = 0;
    while (at < got.size() && at < expected.size() && got[at] == expected[at]) ++at;
    // The example whose output holds the first difference.
    size_t offset = 0;
    const Located* where = &chain.back();
    for (const Located& part : chain) {
      if (at < offset + part.example.output.size()) {
        where = &part;
        break;
      }
      offset += part.example.output.size();
    }
    const std::string& shown = where->example.output;
    size_t local = std::min(at - std::min(at, offset), shown.size());
    int line = where->example.output_line + 1 +
               static_cast<int>(std::count(shown.begin(), shown.begin() + local, '\n'));
    std::printf("%s:%d: output differs\n  handbook: \"%s\"%s\n  program:  \"%s\"%s\n",
                where->file.c_str(), line, LineAt(expected, at).c_str(),
                at >= expected.size() ? " (handbook output ends here)" : "",
                LineAt(got, at).c_str(), at >= got.size() ? " (program output ends here)" : "");
    return false;
  }

 private:
  std::string orbelin_;
  fs::path repo_;
  fs::path scratch_;
  int sessions_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: check_examples ORBELIN REPOSITORY\n");
    return 2;
  }
  fs::path repo = argv[2];
  fs::path docs = repo / "docs" / "handbook";
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(docs)) {
    if (entry.path().extension() == ".md") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());

  std::vector<std::vector<Located>> chains;
  std::vector<Located> unchecked;
  std::set<std::string> shown_files;
  int failed = 0;
  for (const fs::path& path : files) {
    std::string name = fs::relative(path, repo).string();
    std::vector<handbook::Block> blocks;
    std::vector<handbook::Example> examples;
    std::string error;
    if (!handbook::ParseBlocks(ReadBytes(path), &blocks, &error) ||
        !handbook::FindExamples(blocks, &examples, &error)) {
      std::printf("%s: %s\n", name.c_str(), error.c_str());
      ++failed;
      continue;
    }
    bool chain_open = false;
    for (handbook::Example& ex : examples) {
      if (!ex.script_path.empty()) shown_files.insert(ex.script_path);
      if (!ex.checked) {
        unchecked.push_back({name, ex});
        continue;
      }
      if (ex.continues && !chain_open) {
        std::printf("%s:%d: 'continues' with no checked example before it\n", name.c_str(),
                    ex.marker_line);
        ++failed;
        continue;
      }
      if (!ex.continues) chains.emplace_back();
      chains.back().push_back({name, std::move(ex)});
      chain_open = true;
    }
  }

  for (const auto& entry : fs::directory_iterator(repo / "examples")) {
    if (entry.path().extension() != ".inp") continue;
    std::string rel = "examples/" + entry.path().filename().string();
    if (!shown_files.contains(rel)) {
      std::printf("%s is not shown in the handbook (no example-file marker)\n", rel.c_str());
      ++failed;
    }
  }

  fs::path scratch = fs::temp_directory_path() / ("orbelin-docs." + std::to_string(::getpid()));
  fs::remove_all(scratch);
  fs::create_directories(scratch);
  Checker checker(argv[1], repo, scratch);
  int passed = 0;
  for (const auto& chain : chains) {
    if (checker.RunChain(chain)) {
      passed += static_cast<int>(chain.size());
    } else {
      failed += static_cast<int>(chain.size());
    }
  }
  fs::remove_all(scratch);

  for (const Located& u : unchecked) {
    std::printf("not checked: %s:%d\n", u.file.c_str(), u.example.marker_line);
  }
  std::printf("%d passed, %d failed, %zu not checked\n", passed, failed, unchecked.size());
  return failed == 0 && passed > 0 ? 0 : 1;
}
