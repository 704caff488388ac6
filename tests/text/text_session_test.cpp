// The text keywords through the whole interpreter: the keys and the Enigma
// machine belong to the session and carry over from run to run.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "interp/session.h"

namespace orbelin {
namespace {

TEST(TextSessionTest, KeysGoOnInTheNextRunOfTheSameSession) {
  Session session;
  EXPECT_EQ(session.RunText("VIGI('KEY'); SUBSTRI('AB'); WRITE VIGE('Hallo');"), "Rejvs\n");
  EXPECT_EQ(session.RunText("WRITE VIGE('Hallo'); WRITE SUBSTR('?C');"), "Fkpjy\n?A\n");
  EXPECT_EQ(session.RunText("VIGI('KEY'); WRITE VIGD('Rejvs Uopr');"), "Hallo Welt\n");

  Session other;  // sessions share nothing: no key here yet
  EXPECT_EQ(other.RunText("WRITE VIGE('Hallo');"), "Hallo\n");
}

TEST(TextSessionTest, EnigmaKeepsTurningAcrossRuns) {
  Session session;
  int errors = -1;
  session.RunText("ENIGMAINIT('KBCDA', 'AAAAA', 'AAAAA', '');", &errors);
  EXPECT_EQ(errors, 0);
  EXPECT_EQ(session.RunText("ENIGMARUN('AAAAA');"), "BDZGO\n");
  EXPECT_EQ(session.RunText("ENIGMARUN('AAAAA'); ENIGMAWHEELS;"),
            "WCXLT\nEngima Stellung: AAAKA\n");
}

TEST(TextSessionTest, ExampleScriptRunsClean) {
  std::ifstream file(ORBELIN_SOURCE_DIR "/examples/ciphers.inp", std::ios::binary);
  ASSERT_TRUE(file.good());
  std::stringstream text;
  text << file.rdbuf();
  Session session;
  int errors = -1;
  std::string results = session.RunText(text.str(), &errors);
  EXPECT_EQ(errors, 0) << results;
  EXPECT_NE(results.find("Hinweis: Unter der Br\xFC"
                         "cke\n"),
            std::string::npos)
      << results;
  EXPECT_NE(results.find("\nDose unter dem grossen Stein\n"), std::string::npos) << results;
  EXPECT_NE(results.find("\nFinal: N 48 12.478 E 011 34.458\n"), std::string::npos) << results;
}

}  // namespace
}  // namespace orbelin
