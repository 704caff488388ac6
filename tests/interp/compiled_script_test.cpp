// A compiled script must give, run after run, exactly what a new session
// gives for the same text and start values: the results, the errors with
// their places, the warnings, the point, the listing. Checked against the
// session itself on every golden script and on texts made to stress the
// error distance and the state a run leaves behind.
#include "interp/compiled_script.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "interp/session.h"

namespace orbelin {
namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Without text, everything but the text.
void ExpectSame(const RunResult& expected, const RunResult& got, const std::string& what,
                bool text = true) {
  SCOPED_TRACE(what);
  if (text) {
    EXPECT_EQ(got.results, expected.results);
    EXPECT_EQ(got.output_size, expected.output_size);
    EXPECT_EQ(got.listing, expected.listing);
  }
  ASSERT_EQ(got.errors.size(), expected.errors.size());
  for (size_t i = 0; i < got.errors.size(); ++i) {
    EXPECT_EQ(got.errors[i].number, expected.errors[i].number);
    EXPECT_EQ(got.errors[i].position, expected.errors[i].position);
    EXPECT_EQ(got.errors[i].detail, expected.errors[i].detail);
  }
  ASSERT_EQ(got.notes.size(), expected.notes.size());
  for (size_t i = 0; i < got.notes.size(); ++i) {
    EXPECT_EQ(got.notes[i].message, expected.notes[i].message);
    EXPECT_EQ(got.notes[i].at.position, expected.notes[i].at.position);
  }
  EXPECT_EQ(got.point.set, expected.point.set);
  EXPECT_EQ(got.point.lat, expected.point.lat);
  EXPECT_EQ(got.point.lon, expected.point.lon);
  EXPECT_EQ(got.point_set, expected.point_set);
  EXPECT_EQ(got.cut_tokens.size(), expected.cut_tokens.size());
  EXPECT_EQ(got.unclosed_comment.has_value(), expected.unclosed_comment.has_value());
  EXPECT_EQ(got.nul_position, expected.nul_position);
}

// Runs the text compiled with each set of values in turn (so that what one
// run leaves could show in the next) and compares each with a new session,
// with its text and without.
void CheckAgainstSessions(const std::string& source, const std::vector<std::string>& names,
                          const std::vector<std::vector<double>>& runs, const std::string& what) {
  CompiledScript script(source, names);
  for (const std::vector<double>& values : runs) {
    std::vector<StartValue> start;
    for (size_t i = 0; i < names.size(); ++i) start.push_back({names[i], values[i]});
    Session session;
    const RunResult expected = session.Run(source, {.start_values = start});
    ExpectSame(expected, script.Run(values, true), what);
    ExpectSame(expected, script.Run(values, false, false), what + " without text", false);
    EXPECT_EQ(script.variables().names(), session.variables().names());
    for (size_t v = 1; v <= session.variables().names().size(); ++v) {
      const double want = session.variables().Get(static_cast<int>(v));
      const double got = script.variables().Get(static_cast<int>(v));
      EXPECT_TRUE(want == got || (want != want && got != got)) << what << " variable " << v;
    }
  }
}

TEST(CompiledScript, EveryGoldenScriptRunsAsInANewSession) {
  int scripts = 0;
  for (const char* folder : {ORBELIN_SOURCE_DIR "/tests/golden", ORBELIN_SOURCE_DIR "/examples"}) {
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
      if (entry.path().extension() != ".inp") continue;
      ++scripts;
      const std::string source = ReadBytes(entry.path());
      // A, B and X are names many of them declare; GM1 is never declared.
      CheckAgainstSessions(source, {"A", "B", "X", "GM1"},
                           {{0, 0, 0, 0}, {3, 7.5, -2, 11}, {1e300, -0.0, 4, 0.25}},
                           entry.path().string());
    }
  }
  EXPECT_GT(scripts, 50);
}

TEST(CompiledScript, ErrorsOfTheLibraryKeepTheirPlacesAndDistance) {
  // A matrix that is singular for some values only: the unsolvable error
  // comes and goes with them, and an error right after another is dropped
  // as the error distance says.
  const std::string lin3 =
      "VAR A, B, X, Y, Z;\n"
      "LIN3(A, 0, 0, 1, 0, B, 0, 1, 0, 0, 1, 1, X, Y, Z); LIN3(B, 0, 0, 1, 0, A, 0, 1, 0, 0, 1, "
      "1, X, Y, Z);\n"
      "WRITE X, Y, Z; LIN3(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, X, Y, Z);\n"
      "A = 5; WRITE A;\n";
  CheckAgainstSessions(lin3, {"A", "B"}, {{0, 0}, {1, 2}, {0, 3}, {2, 0}, {1, 1}}, "lin3");
}

TEST(CompiledScript, StateOfOneRunNeverReachesTheNext) {
  // Keys, the Enigma machine, MARGIN, DEBUG, the point and the values all
  // start afresh in every run, as in a new session.
  const std::string source =
      "VAR A, K;\n"
      "MARGIN = 10 + A; OLAT = 48 + A; OLON = 11;\n"
      "VIGI('KEY'); WRITE VIGE('HELLO WORLD'), ' ', A;\n"
      "ENIGMAINIT('I II III', 'AAA', 'AAA', ''); ENIGMARUN('HELLO');\n"
      "K = K + A; WRITE K, ' and a text long enough to wrap';\n";
  CheckAgainstSessions(source, {"A"}, {{0}, {5}, {1}, {0}}, "state");
}

TEST(CompiledScript, FinalsReadOnceGiveWhatANewSessionGives) {
  // The pattern a run reads is kept for the next; two patterns take turns,
  // a bracket that is no digit refuses for some values only, and a pattern
  // that cannot be read refuses in every run.
  const std::string source =
      "VAR A, B, LA, LO;\n"
      "FINAL2GPS('N 48\xB0 1A.(B-1)00 E 011\xB0 3A.500', LA, LO); WRITE LA, LO;\n"
      "FINAL2GPS('S 12\xB0 0B.A00 W 077\xB0 0A.000', LA, LO); WRITE LA, LO;\n"
      "WRITE FINALQSUM('N 48\xB0 1A.(B-1)00 E 011\xB0 3A.500');\n"
      "FINAL2GPS('N 48\xB0 1(A.000 E 011\xB0 30.000', LA, LO);\n";
  CheckAgainstSessions(source, {"A", "B"}, {{1, 2}, {4, 0}, {9, 9}, {3, 12}, {1, 2}}, "finals");
}

TEST(CompiledScript, WarningsOfThePastedCoordinatesKeepTheirPlaces) {
  // The warning of CENTER comes from running, those of the pasted
  // coordinates from reading; in a run they stand in the order of the text.
  const std::string source =
      "VAR A, LA, LO;\n"
      "CENTER(50, 9, 50, 9, 50, 9, LA, LO);\n"
      "WRITE N 91\xB0 00.000 + A, ' ', N 48\xB0 12,345;\n";
  CheckAgainstSessions(source, {"A"}, {{0}, {2}}, "pasted");
  CompiledScript script(source, {"A"});
  EXPECT_FALSE(script.compiled());
  const RunResult& run = script.Run(std::vector<double>{1});
  ASSERT_EQ(run.notes.size(), 3u);
  EXPECT_EQ(run.notes[0].message.rfind("CENTER", 0), 0u) << run.notes[0].message;
  // Only the grammar's errors make every run fail: these runs have none.
  EXPECT_TRUE(run.errors.empty());
  EXPECT_FALSE(script.fixed_error());
}

TEST(CompiledScript, AnErrorNoValueCanChangeIsFixed) {
  CompiledScript fixed("VAR A, X, Y, Z; LIN3(0,0,0,0,0,0,0,0,0,0,0,0, X, Y, Z); WRITE A;", {"A"});
  ASSERT_TRUE(fixed.compiled());
  fixed.Run(std::vector<double>{1});
  EXPECT_TRUE(fixed.fixed_error());

  CompiledScript varying("VAR A, X, Y, Z; LIN3(A,0,0,1, 0,1,0,1, 0,0,1,1, X, Y, Z);", {"A"});
  EXPECT_FALSE(varying.Run(std::vector<double>{0}).clean());
  EXPECT_FALSE(varying.fixed_error());
  EXPECT_TRUE(varying.Run(std::vector<double>{1}).clean());

  CompiledScript grammar("VAR A; WRITE A +;", {"A"});
  EXPECT_FALSE(grammar.compiled());
  EXPECT_FALSE(grammar.Run(std::vector<double>{1}).clean());
  EXPECT_TRUE(grammar.fixed_error());
}

}  // namespace
}  // namespace orbelin
