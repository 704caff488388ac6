// The handlers as the interpreter calls them: arguments in CallArgs, state
// in the session's TextState, output in the result stream.
#include "text/text_handlers.h"

#include <gtest/gtest.h>

#include <string>

#include "text/text_state.h"

namespace orbelin {
namespace {

class TextHandlersTest : public testing::Test {
 protected:
  TextHandlersTest() {
    out_.OpenMemory();
    diagnostics_.BeginRun(&at_);
  }

  CallArgs Str(std::string_view s0, std::string_view s1 = "", std::string_view s2 = "",
               std::string_view s3 = "") {
    CallArgs a;
    a.str[0].Assign(s0);
    a.str[1].Assign(s1);
    a.str[2].Assign(s2);
    a.str[3].Assign(s3);
    return a;
  }
  // The text written since the last call.
  std::string Written() {
    std::string text = out_.Close();
    out_.OpenMemory();
    return text;
  }
  std::vector<int> Errors() {
    std::vector<int> numbers;
    for (const ErrorRecord& r : diagnostics_.records()) numbers.push_back(r.number);
    return numbers;
  }

  ResultStream out_;
  Variables vars_;
  Diagnostics diagnostics_;
  SourceLocation at_{4, 9};
  TextState text_;
  HandOffPoint point_;
  Runtime rt_{out_, vars_, diagnostics_, text_, point_};
};

TEST_F(TextHandlersTest, FunctionsTakeTheirArgument) {
  CallArgs a;
  a.num[0] = 1234;
  EXPECT_EQ(FnQsum(rt_, a), 10);
  a.num[0] = 99999;
  EXPECT_EQ(FnQqsum(rt_, a), 9);
  a.num[0] = 52.5;
  EXPECT_EQ(FnKqsum(rt_, a), 10);
  EXPECT_EQ(FnAlpha(rt_, Str("Hallo")), 82335);
  EXPECT_EQ(FnSummer(rt_, Str("Test 12")), 15);
  // Each SUMxxx counts in its own alphabet: the last letter of each is worth 26.
  struct {
    FunctionHandler fn;
    const char* last;
  } sums[] = {{FnSumrom, "Y"}, {FnSumkas, "Y"}, {FnSumjen, "Y"}, {FnSummer, "Z"}, {FnSumkah, "Z"},
              {FnSummey, "Z"}, {FnSumker, "W"}, {FnSumdev, "W"}, {FnSumeyr, "Z"}};
  for (const auto& s : sums) EXPECT_EQ(s.fn(rt_, Str(s.last)), 26) << s.last;
  EXPECT_EQ(FnSumkas(rt_, Str("A")), 6);
  EXPECT_EQ(FnSumjen(rt_, Str("A")), 6);
  EXPECT_EQ(FnSumkah(rt_, Str("O")), 4);
  EXPECT_EQ(FnSummey(rt_, Str("R")), 8);
  EXPECT_EQ(FnSumeyr(rt_, Str("I")), 4);
  EXPECT_EQ(FnSumrom(rt_, Str("S")), 5);
}

TEST_F(TextHandlersTest, VigenereKeyCarriesAcrossStatements) {
  HandleVigi(rt_, Str("KEY"));
  ItemVige(rt_, Str("Hallo"));
  EXPECT_EQ(Written(), "Rejvs");
  ItemVige(rt_, Str("Hallo"));  // a later statement, or a later run: same state
  EXPECT_EQ(Written(), "Fkpjy");
  HandleVigi(rt_, Str("KEY"));
  ItemVigd(rt_, Str("Rejvs Uopr"));
  EXPECT_EQ(Written(), "Hallo Welt");
}

TEST_F(TextHandlersTest, CipherItemsBeforeAnyKeyWriteTheText) {
  ItemVige(rt_, Str("Hallo?"));
  ItemVigd(rt_, Str(" Welt"));
  ItemSubstr(rt_, Str(" \xDF!"));
  ItemTransr(rt_, Str("abc"));
  ItemTrans(rt_, Str("xyz"));
  EXPECT_EQ(Written(), "Hallo? Welt \xDF!abcxyz");
}

TEST_F(TextHandlersTest, RunningKeyAndKeyedAlphabet) {
  HandleSubstri(rt_, Str("AB"));
  ItemSubstr(rt_, Str("?C"));
  EXPECT_EQ(Written(), "?A");
  HandleTransi(rt_, Str("QWERTZUIOPASDFGHJKLYXCVBNM"));
  ItemTransr(rt_, Str("Abc"));
  ItemTrans(rt_, Str("Qwe"));
  EXPECT_EQ(Written(), "QweAbc");
}

TEST_F(TextHandlersTest, CipherItemsWrapAtTheMargin) {
  out_.set_margin(10);
  CallArgs a = Str("Uryyb Jbeyq bs pvcuref");
  a.num[0] = 13;
  ItemRot13(rt_, a);
  EXPECT_EQ(Written(), "Hello\nWorld of\nciphers");
  a.num[0] = 1.5;  // the shift is cut to 1
  ItemRot13(rt_, a);
  EXPECT_EQ(Written(), "Vszzc\nKcfzr ct\nqwdvsfg");
}

TEST_F(TextHandlersTest, MorseTracesOnlyWithDebug) {
  ItemMorse(rt_, Str("SOS"));
  ItemEsrom(rt_, Str("... ---"));
  EXPECT_EQ(Written(), "...---... SO");
  rt_.debug = -1;  // any value but 0 is on
  ItemMorse(rt_, Str("SOS"));
  ItemEsrom(rt_, Str("... ---"));
  EXPECT_EQ(Written(), "SOS...---... ... ---\n...S---O");
  out_.set_margin(3);  // Morse is not wrapped
  rt_.debug = 0;
  ItemMorse(rt_, Str("Hallo"));
  EXPECT_EQ(Written(), ".... .- .-.. .-.. --- ");
}

TEST_F(TextHandlersTest, EnigmaSetUpRunAndPositions) {
  HandleEnigmaInit(rt_, Str("KBCDA", "AAAAA", "AAAAA", ""));
  EXPECT_EQ(Written(),
            "+-----\n| Enigma Walzen: \n"
            "|   1: UKW B   A-01 A \n|   2: I       A-01 A \n|   3: II      A-01 A \n"
            "|   4: III     A-01 A \n|   5: ETW     A-01 A \n"
            "| Enigma Steckbrett: \n|   -- unbenutzt -- \n+-----\n\n");
  HandleEnigmaRun(rt_, Str("AAAAA"));
  HandleEnigmaWheels(rt_, CallArgs{});
  EXPECT_EQ(Written(), "BDZGO\nEngima Stellung: AAAFA\n");
  out_.set_margin(5);
  HandleEnigmaRun(rt_, Str("AAAAA AAAAA"));  // wrapped like any string item
  EXPECT_EQ(Written(), "WCXLT\nKSBTM\n");
  EXPECT_TRUE(Errors().empty());
}

TEST_F(TextHandlersTest, EnigmaErrorIsReportedAndPrintsNoTable) {
  HandleEnigmaInit(rt_, Str("KBCDA", "AAAAA", "AAAAA", ""));
  Written();
  HandleEnigmaInit(rt_, Str("KBXDA", "AAAAA", "AAAAA", ""));
  EXPECT_EQ(Written(), "");
  ASSERT_EQ(diagnostics_.records().size(), 1u);
  EXPECT_EQ(diagnostics_.records()[0].number, 117);
  EXPECT_EQ(diagnostics_.records()[0].line, 4);
  EXPECT_EQ(diagnostics_.records()[0].column, 9);
}

TEST_F(TextHandlersTest, EachEnigmaErrorNumber) {
  struct {
    const char *wheels, *rings, *positions, *plugs;
    int error;
  } cases[] = {
      {"KBCDAAA", "AAAAAAA", "AAAAAAA", "", 114}, {"KBCDA", "AAAA", "AAAAA", "", 115},
      {"KBCDA", "AAAAA", "AAAAA", "ABC", 116},    {"KBCDW", "AAAAA", "AAAAA", "", 117},
      {"KBCDA", "AAAA1", "AAAAA", "", 118},       {"KBCDA", "AAAAA", "AAAA", "", 119},
  };
  for (const auto& c : cases) {
    diagnostics_.TokenDelivered();  // the reporter keeps errors two tokens apart
    diagnostics_.TokenDelivered();
    HandleEnigmaInit(rt_, Str(c.wheels, c.rings, c.positions, c.plugs));
  }
  EXPECT_EQ(Errors(), (std::vector<int>{114, 115, 116, 117, 118, 119}));
  EXPECT_EQ(Written(), "");
}

TEST_F(TextHandlersTest, EnigmaInfoIsABareStatement) {
  HandleEnigmaInfo(rt_, CallArgs{});
  std::string text = Written();
  EXPECT_EQ(text.rfind("\n+-----\n| EngigmaInit(", 0), 0u);
  EXPECT_EQ(text.substr(text.size() - 8), "+-----\n\n");
}

TEST_F(TextHandlersTest, NothingIsWrittenWithoutAnOpenStream) {
  out_.Close();
  rt_.debug = 1;
  HandleVigi(rt_, Str("KEY"));
  ItemVige(rt_, Str("Hallo"));  // the key still moves on
  ItemMorse(rt_, Str("SOS"));
  HandleEnigmaInit(rt_, Str("KBCDA", "AAAAA", "AAAAA", ""));
  HandleEnigmaRun(rt_, Str("AAAAA"));
  HandleEnigmaInfo(rt_, CallArgs{});
  out_.OpenMemory();
  ItemVige(rt_, Str("Hallo"));
  HandleEnigmaWheels(rt_, CallArgs{});
  EXPECT_EQ(Written(), "FkpjyEngima Stellung: AAAFA\n");
}

}  // namespace
}  // namespace orbelin
