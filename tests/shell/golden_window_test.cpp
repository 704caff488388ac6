// Every golden case through the window's logic, as a user would run it:
// the script is opened (the box takes the file's text), Calc saves the box
// and runs it. The results and the listing it writes must be the expected
// files, byte for byte, and the errors, warnings, notes and hints listed
// under them must be the ones the command line prints (or, for a case that
// carries its expectations in its comments, the ones those name): the
// window and the terminal cannot drift apart.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "base/cp1252.h"
#include "fake_platform.h"
#include "frontend/script_bytes.h"
#include "shell/definition_file.h"
#include "shell/window_controller.h"
#include "test_files.h"

namespace orbelin {
namespace {

namespace fs = std::filesystem;
using testing::FakePlatform;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

const fs::path kGolden = fs::path(ORBELIN_SOURCE_DIR) / "tests" / "golden";

std::vector<std::string> Lines(const std::string& text);

// The "-- error: L:C: TEXT", "-- warning: ...", "-- note: ..." and
// "-- hint: TEXT" comments of a script, as the window lists them.
std::vector<std::string> CommentExpectations(const std::string& script) {
  std::vector<std::string> said;
  // The scripts are Windows-1252, but those another editor saved in UTF-8.
  for (std::string line : Lines(ReadsAsUtf8(script) ? script : Cp1252ToUtf8(script))) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    for (const char* kind : {"error", "warning", "note"}) {
      const std::string mark = std::string("-- ") + kind + ": ";
      const size_t at = line.find(mark);
      if (at == std::string::npos) continue;
      const std::string rest = line.substr(at + mark.size());
      const size_t colon = rest.find(": ");
      said.push_back(rest.substr(0, colon) + ": " + kind + ": " + rest.substr(colon + 2));
    }
    if (const size_t at = line.find("-- hint: "); at != std::string::npos) {
      said.push_back("  hint: " + line.substr(at + 9));
    }
  }
  return said;
}

std::vector<fs::path> Cases() {
  std::vector<fs::path> cases;
  for (const auto& entry : fs::recursive_directory_iterator(kGolden)) {
    const fs::path& p = entry.path();
    if (p.extension() != ".inp") continue;
    fs::path expected = p;
    expected.replace_extension(".res.expected");
    if (fs::exists(expected) || !CommentExpectations(ReadBytes(p.string())).empty()) {
      cases.push_back(p);
    }
  }
  std::sort(cases.begin(), cases.end());
  return cases;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The command line's errors, warnings and hints, as the window lists them:
// "L:C: error: ..." without the script's name, and the hints indented.
std::vector<std::string> TerminalSays(const fs::path& err_expected, const std::string& name) {
  std::vector<std::string> said;
  if (!fs::exists(err_expected)) return said;
  for (const std::string& line : Lines(Cp1252ToUtf8(ReadBytes(err_expected.string())))) {
    if (line.starts_with(name + ":")) {
      said.push_back(line.substr(name.size() + 1));
    } else if (line.starts_with("hint: ")) {
      said.push_back("  " + line);
    }
  }
  return said;
}

class GoldenWindow : public ::testing::TestWithParam<fs::path> {};

TEST_P(GoldenWindow, CalcWritesTheExpectedFilesAndSaysWhatTheTerminalSays) {
  const fs::path script = GetParam();
  const std::string name = script.filename().string();
  const std::string bytes = ReadBytes(script.string());
  // A text after a NUL byte never reaches the box, so the window cannot run
  // it as the command line does; the window warns of it instead.
  if (bytes.find('\0') != std::string::npos && bytes.find('\0') + 1 < bytes.size()) {
    GTEST_SKIP() << name << " holds text after a NUL byte, which the box does not show";
  }
  // The command line runs these UTF-8 files as they are; the window reads
  // one into its box when it is opened, and points out there what the box
  // cannot save.
  if (script.parent_path().filename() == "utf8") {
    GTEST_SKIP() << name << " is a UTF-8 file that is not all UTF-8";
  }
  TempFolder home;
  WriteBytes(home / name, bytes);
  WriteDefinition(home.folder(), home / name);
  FakePlatform platform;
  Session session;
  WindowController controller(platform, session, home.folder());
  controller.Start();
  // A UTF-8 script with characters that Windows-1252 lacks: Calc saves it
  // as the user allows, those characters '?'.
  if (ReadsAsUtf8(bytes)) platform.answers.push_back(Answer::kYes);
  controller.Calc();

  const std::string stem = script.stem().string();
  const fs::path dir = script.parent_path();
  if (!fs::exists(dir / (stem + ".res.expected"))) {
    // Expectations in the script's comments: the diagnostics they name.
    const std::string results = ReadBytes(home / (stem + ".res"));
    const std::string shown =
        BoxTextFromFile(platform.errors.empty() ? results : ReadBytes(home / (stem + ".lst")));
    ASSERT_TRUE(platform.results_box.starts_with(shown)) << platform.results_box;
    std::vector<std::string> listed = Lines(platform.results_box.substr(shown.size()));
    while (!listed.empty() && listed.front().empty()) listed.erase(listed.begin());
    EXPECT_EQ(listed, CommentExpectations(bytes));
    return;
  }
  EXPECT_EQ(ReadBytes(home / (stem + ".res")),
            ReadBytes((dir / (stem + ".res.expected")).string()));
  const fs::path expected_lst = dir / (stem + ".lst.expected");
  const std::string listing = ReadBytes(home / (stem + ".lst"));
  if (fs::exists(expected_lst)) {
    EXPECT_EQ(listing, ReadBytes(expected_lst.string()));
  }

  // Under the results or the listing: what the terminal says.
  const std::string results = ReadBytes(home / (stem + ".res"));
  const bool errors =
      results.find(": ") != std::string::npos && Lines(results).back().starts_with("Line ");
  const std::string shown = BoxTextFromFile(errors ? listing : results);
  ASSERT_TRUE(platform.results_box.starts_with(shown)) << platform.results_box;
  std::vector<std::string> listed = Lines(platform.results_box.substr(shown.size()));
  while (!listed.empty() && listed.front().empty()) listed.erase(listed.begin());
  EXPECT_EQ(listed, TerminalSays(dir / (stem + ".err.expected"), name));
  EXPECT_EQ(platform.errors.empty(), !errors);
}

INSTANTIATE_TEST_SUITE_P(Golden, GoldenWindow, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<fs::path>& info) {
                           std::string id = info.param.parent_path().filename().string() + "_" +
                                            info.param.stem().string();
                           for (char& c : id) {
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           }
                           return id;
                         });

}  // namespace
}  // namespace orbelin
