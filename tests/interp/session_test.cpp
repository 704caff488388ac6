#include <cstdio>
#include <fstream>
#include <sstream>

#include "session_fixture.h"
#include "shell/file_names.h"

namespace orbelin {
namespace {

using State = SessionTest;

TEST_F(State, ValuesOfGmVariablesAndMarginOutliveARun) {
  Run("GM1 = 5; GM2 = GM1 * 2; MARGIN = 12.9;");
  EXPECT_EQ(session_->margin(), 12);
  EXPECT_EQ(Run("WRITE GM1, ' ', GM2;"), "5 10\n");
  EXPECT_EQ(Run("WRITE 'aaaa bbbb cccc dddd';"), "aaaa bbbb\ncccc dddd\n");
  Run("MARGIN = 0 - 0.5;");  // floor: -1, wrapping off
  EXPECT_EQ(session_->margin(), -1);
}

TEST_F(State, ADeclarationStartsAtZeroAndNamesAreRebuiltEachRun) {
  Run("VAR A; A = 5;");
  EXPECT_EQ(Run("VAR A; WRITE A;"), "0\n");
  Run("VAR A; A = 5;");
  EXPECT_EQ(Run("WRITE A;"), "0\nLine 1, Col 8: indent name unknown (E111)\n");
}

TEST_F(State, TheHandOffPointIsSetByEitherStatementAndKept) {
  EXPECT_FALSE(session_->hand_off_point().set);
  Run("OLAT = 48.5;");
  EXPECT_TRUE(session_->hand_off_point().set);
  EXPECT_EQ(session_->hand_off_point().lat, 48.5);
  EXPECT_EQ(session_->hand_off_point().lon, 0.0);
  Run("OLON = 11.25;");
  Run("WRITE 1;");
  EXPECT_TRUE(session_->hand_off_point().set);
  EXPECT_EQ(session_->hand_off_point().lat, 48.5);
  EXPECT_EQ(session_->hand_off_point().lon, 11.25);
}

TEST_F(State, SettingValuesAreNeverUndefined) {
  Run("DEBUG = 1 / 0; MARGIN = 0 - 1 / 0; DEBUG = SQRT(0 - 1); MARGIN = 1 / 0;");
  EXPECT_EQ(errors_, 0);
  EXPECT_EQ(session_->margin(), 2147483647);
}

TEST(Sessions, TwoSessionsShareNothing) {
  Session a, b;
  a.RunText("GM1 = 7; MARGIN = 3; OLAT = 1;");
  EXPECT_EQ(b.RunText("WRITE GM1;"), "0\n");
  EXPECT_EQ(b.margin(), 30);
  EXPECT_FALSE(b.hand_off_point().set);
}

// A host that records what the run asked of it.
class RecordingHost : public RunHost {
 public:
  explicit RecordingHost(const std::string& script) : names_(orbelin::BuildFileNames(script)) {}
  void SaveScript() override { calls += "save "; }
  DerivedNames BuildFileNames() override {
    calls += "names ";
    return {names_.results, names_.listing};
  }
  void ClearResults() override { calls += "clear "; }
  void ShowResults() override { calls += "results "; }
  void ShowListing() override { calls += "listing "; }
  void PlaceCaret(int line, int column) override {
    calls += "caret " + std::to_string(line) + "," + std::to_string(column) + " ";
  }
  void ShowError(const std::string& text) override { calls += "error[" + text + "] "; }

  ScriptFileNames names_;
  std::string calls;
};

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

TEST(RunScript, StepsOfACleanAndOfAFailedRun) {
  std::string script = testing::TempDir() + "/session_run.inp";
  WriteFile(script, std::string("WRITE 1;\r\n\0", 11));
  Session session;
  RecordingHost clean(script);
  RunOutcome outcome = session.RunScript(script, clean);
  EXPECT_TRUE(outcome.ran);
  EXPECT_EQ(clean.calls, "save names clear results ");
  EXPECT_EQ(ReadFile(clean.names_.results), "1\n");
  EXPECT_EQ(ReadFile(clean.names_.listing),
            "Listing:\n\n    1  WRITE 1;\n\n\n    0 syntax errors\n");

  WriteFile(script, "WRITE 1;\r\n  WRITE 2\r\n");
  RecordingHost failed(script);
  outcome = session.RunScript(script, failed);
  EXPECT_EQ(outcome.error_count, 1);
  EXPECT_EQ(failed.calls, "save names clear listing error[Compilation errors\n] caret 2,0 ");

  RecordingHost missing("/nonexistent-folder/x.inp");
  outcome = session.RunScript("/nonexistent-folder/x.inp", missing);
  EXPECT_FALSE(outcome.ran);
  EXPECT_EQ(missing.calls, "save error[/nonexistent-folder/x.inp] ");
}

TEST(RunScript, AutoEncodingTurnsUtf8IntoWindows1252) {
  std::string script = testing::TempDir() + "/session_utf8.inp";
  WriteFile(script, "WRITE \xC2\xB0N 48 30 : 1, ' \xC3\xA4\xE2\x82\xAC\xE2\x86\x92';\n");
  Session session;
  RecordingHost host(script);
  session.RunScript(script, host, SourceEncoding::kAuto);
  EXPECT_EQ(ReadFile(host.names_.results), "48.5 \xE4\x80?\n");
}

}  // namespace
}  // namespace orbelin
