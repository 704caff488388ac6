#include <cstdio>

#include "session_fixture.h"

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

// Variables started at given values: a declaration gives the value in
// place of 0.0, GM1 starts with it, the rest of the script is unchanged.
TEST(Sessions, StartValuesReplaceTheDeclarationsZero) {
  Session session;
  const StartValue start[] = {{"B", 7.5}, {"GM2", 3}, {"Q", 9}};  // Q is not declared
  RunResult r = session.Run("VAR A, B; A = B * 2; WRITE A:1, ' ', GM2, ' ', B:1;",
                            {.start_values = start, .listing = false});
  EXPECT_EQ(r.results, "15.0 3 7.5\n");
  EXPECT_TRUE(r.notes.empty());
  EXPECT_EQ(r.listing, "");
  // A run without them is an ordinary run again.
  EXPECT_EQ(session.Run("VAR B; WRITE B;").results, "0\n");
}

// The script's own assignment wins over a start value, with one warning at
// the first place that overrides it: an assignment's name, or the keyword of
// a library statement that stores into it.
TEST(Sessions, AStartValueOverriddenByTheScriptWarnsOnce) {
  Session session;
  const StartValue start[] = {{"A", 4}, {"LAT", 1}};
  RunResult r =
      session.Run("VAR A, LAT, LON;\nWRITE A;\nA = 5; A = 6;\nCBP(48, 11, 0, 0, LAT, LON);",
                  {.start_values = start});
  EXPECT_EQ(r.results, "4\n");
  ASSERT_EQ(r.notes.size(), 2u);
  EXPECT_EQ(r.notes[0].at.line, 3);
  EXPECT_EQ(r.notes[0].at.column, 1);
  EXPECT_EQ(r.notes[0].message, "A is being tried, but the script assigns it here");
  EXPECT_EQ(r.notes[1].at.line, 4);
  EXPECT_TRUE(r.notes[1].message.starts_with("LAT is being tried")) << r.notes[1].message;
  EXPECT_EQ(session.variables().Get(session.variables().Find("A")), 6.0);
}

TEST(Sessions, TwoSessionsShareNothing) {
  Session a, b;
  a.Run("GM1 = 7; MARGIN = 3; OLAT = 1; VIGI('KEY');");
  EXPECT_EQ(b.Run("WRITE GM1; WRITE VIGE('Hallo');").results, "0\nHallo\n");
  EXPECT_EQ(b.margin(), 30);
  EXPECT_FALSE(b.hand_off_point().set);
}

TEST(Sessions, CipherKeysAndTheEnigmaGoOnInTheNextRun) {
  Session session;
  EXPECT_EQ(session.Run("VIGI('KEY'); SUBSTRI('AB'); WRITE VIGE('Hallo');").results, "Rejvs\n");
  EXPECT_EQ(session.Run("WRITE VIGE('Hallo'); WRITE SUBSTR('?C');").results, "Fkpjy\n?A\n");
  EXPECT_TRUE(session.Run("ENIGMAINIT('KBCDA', 'AAAAA', 'AAAAA', '');").clean());
  EXPECT_EQ(session.Run("ENIGMARUN('AAAAA');").results, "BDZGO\n");
  EXPECT_EQ(session.Run("ENIGMARUN('AAAAA'); ENIGMAWHEELS;").results,
            "WCXLT\nEngima Stellung: AAAKA\n");
}

TEST(Sessions, ARunIsAValue) {
  Session session;
  const RunResult r = session.Run("OLAT = 1; WRITE 2\r\nWRITE 3;");
  EXPECT_EQ(r.results, "2\n3\nLine 2, Col 1: \";\" expected (E6)\n");
  EXPECT_EQ(r.listing,
            "Listing:\n\n    1  OLAT = 1; WRITE 2\n    2\n*****  ^ \";\" expected (E6)\n\n\n"
            "    1 syntax errors\n");
  ASSERT_EQ(r.errors.size(), 1u);
  EXPECT_EQ(r.errors[0].number, 6);
  EXPECT_TRUE(r.point.set);
  EXPECT_EQ(r.point.lat, 1);
}

}  // namespace
}  // namespace orbelin
