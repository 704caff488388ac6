#include "text/enigma.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "text/enigma_wheels.h"

namespace orbelin {
namespace {

std::string Positions(const EnigmaMachine& m) {
  std::string s;
  for (int i = 0; i < m.count; ++i) s += static_cast<char>('A' + m.places[i].position);
  return s;
}

bool SamePlace(const EnigmaPlace& a, const EnigmaPlace& b) {
  return a.wheel == b.wheel && a.ring_offset == b.ring_offset && a.start == b.start &&
         a.position == b.position;
}

void ExpectSameMachine(const EnigmaMachine& a, const EnigmaMachine& b) {
  EXPECT_EQ(a.count, b.count);
  EXPECT_EQ(a.plugs, b.plugs);
  for (int i = 0; i < EnigmaMachine::kPlaces; ++i) {
    EXPECT_TRUE(SamePlace(a.places[i], b.places[i])) << "place " << i;
  }
}

EnigmaMachine Machine(const char* wheels, const char* rings, const char* positions,
                      const char* plugs) {
  EnigmaMachine m;
  EXPECT_EQ(EnigmaInit(m, wheels, rings, positions, plugs), EnigmaSetup::kDone);
  return m;
}

TEST(EnigmaTest, KnownMessages) {
  // Expected texts and window letters are the system's recorded results,
  // checked against a separate model of the machines written for the check.
  struct Case {
    const char *wheels, *rings, *positions, *plugs, *text, *expected, *after;
  } cases[] = {
      {"KBCDA", "AAAAA", "AAAAA", "", "AAAAA", "BDZGO", "AAAFA"},
      {"KBCDA", "AAAAA", "AAAAA", "", "AAAAAAAAAAAAAAAAAAAAAAAAAAAAAA",
       "BDZGOWCXLTKSBTMCDLPBMUQOFXYHCX", "AABEA"},
      {"KBCDA", "ABBBA", "AAAAA", "", "AAAAA", "EWTYX", "AAAFA"},      // rings
      {"PNBCDM", "AAAAAA", "AAAAAA", "", "AAAAA", "BDZGO", "AAAAFA"},  // thin B and Beta
      {"KBCDA", "AAAAA", "AAAAA", "ABQF", "AAAAA", "BJLCS", "AAAFA"},  // plugboard
      {"kbcda", "aaaaa", "aaaaa", "ab", "aaaaa", "bjlcs", "AAAFA"},    // lower case
      {"KBCDA", "AAAAA", "AAAAA", "",
       "Test gr\xF6\xDF"
       "er?",
       "Olpf ft\xF6\xDFkt?", "AAAIA"},
      {"KBCDA", "BCDEA", "XYZUA", "PONMLKJIHGFEDCBA", "Enigma", "Rwgqyf", "XYAAA"},
      {"VSTUR", "BCDEF", "QRSTU", "", "Geocaching macht Spass", "Lxtehzarja teddg Eigcx",
       "QZENU"},  // wheels with many turnover letters
      // The slowest rotor moves whenever the next one shows a turnover letter,
      // so in six places Beta moves along with rotor I at Q.
      {"PNBCDM", "AAAAAA", "AAQAAA", "", "AAAAA", "KEKEB", "ABRAFA"},
      {"K", "A", "A", "AB", "AB", "RY", "A"},  // a reflector alone: nothing steps
      {"", "", "", "AB", "AB", "AB", ""},      // no wheels: the plugboard twice
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.wheels << " " << c.rings << " " << c.positions << " '"
                                    << c.plugs << "' " << c.text);
    EnigmaMachine m = Machine(c.wheels, c.rings, c.positions, c.plugs);
    EXPECT_EQ(EnigmaRun(m, c.text), c.expected);
    EXPECT_EQ(Positions(m), c.after);
  }
}

TEST(EnigmaTest, MachineKeepsTurningFromTextToText) {
  EnigmaMachine m = Machine("KBCDA", "AAAAA", "AAAAA", "");
  EXPECT_EQ(EnigmaRun(m, "AAA"), "BDZ");
  EXPECT_EQ(EnigmaRun(m, "AA"), "GO");
  EXPECT_EQ(m.places[3].start, 0);  // the start letter stays as set up
}

TEST(EnigmaTest, DoubleStep) {
  EnigmaMachine m = Machine("KBCDA", "AAAAA", "AADUA", "");
  const char* rotors[] = {"ADV", "AEW", "BFX", "BFY"};
  for (const char* expected : rotors) {
    WheelStep(m);
    EXPECT_EQ(Positions(m).substr(1, 3), expected);
  }
}

TEST(EnigmaTest, WorkingOffsetFollowsWindowAndRing) {
  EnigmaMachine m = Machine("KBCDA", "ABBBA", "AAXAA", "");
  EXPECT_EQ(m.WorkingOffset(2), ('X' - 'B') % 26);
  for (int press = 0; press < 40; ++press) {
    WheelStep(m);
    for (int i = 0; i < m.count; ++i) {
      int ring = i == 0 || i == 4 ? 0 : 1;
      EXPECT_EQ(m.WorkingOffset(i), (m.places[i].position - ring + 26) % 26);
    }
  }
}

TEST(EnigmaTest, ReflectorMachinesAreSelfInverse) {
  const std::string text = "Der Schatz liegt bei N 48 12.345, E 011 33.210!";
  for (char reflector : std::string("JKLPQV")) {
    std::string wheels = std::string(1, reflector) + "GSUR";
    SCOPED_TRACE(wheels);
    EnigmaMachine m = Machine(wheels.c_str(), "CDEFA", "MXQZA", "AZBYCXPQ");
    std::string secret = EnigmaRun(m, text);
    EXPECT_NE(secret, text);
    m = Machine(wheels.c_str(), "CDEFA", "MXQZA", "AZBYCXPQ");
    EXPECT_EQ(EnigmaRun(m, secret), text);
  }
}

TEST(EnigmaTest, PlugboardLastPairWins) {
  EnigmaMachine m = Machine("", "", "", "ABAC");
  EXPECT_EQ(PlugLookup(m, 0), 2);  // A to C
  EXPECT_EQ(PlugLookup(m, 1), 0);  // B to A
  EXPECT_EQ(PlugLookup(m, 2), 0);  // C to A
  EXPECT_EQ(PlugLookup(m, 3), 3);
}

TEST(EnigmaTest, PlugPairsWithOtherBytesSwapNothing) {
  // Stored as typed (upper-cased) for the set-up table, but a pair with a
  // byte other than a letter is skipped, so no pass leaves the wiring.
  EnigmaMachine odd = Machine("KBCDA", "AAAAA", "AAAAA", "a1bc \xE4z[]");
  EXPECT_EQ(odd.plugs, "A1BC \xE4Z[]");
  EnigmaMachine plain = Machine("KBCDA", "AAAAA", "AAAAA", "BC");
  const std::string text = "ABCDEFGHIJKLMNOPQRSTUVWXYZ abcdefghijklmnopqrstuvwxyz";
  EXPECT_EQ(EnigmaRun(odd, text), EnigmaRun(plain, text));
}

TEST(EnigmaTest, BlanksSeparatePlugPairs) {
  // Each blank-separated group is read two by two: no pair straddles a
  // blank, and the last letter of an odd group plugs nothing.
  struct {
    const char *typed, *same_as;
  } cases[] = {
      {"AB QF", "ABQF"},   {"AB CD EF", "ABCDEF"}, {" ab  qf ", "ABQF"},
      {"ABC DEF", "ABDE"}, {"A BC D", "BC"},       {"AB CDE FGH", "ABCDFG"},
  };
  const std::string text = "ABCDEFGHIJKLMNOPQRSTUVWXYZ abcdefghijklmnopqrstuvwxyz";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    EnigmaMachine typed = Machine("KBCDA", "AAAAA", "AAAAA", c.typed);
    EnigmaMachine same = Machine("KBCDA", "AAAAA", "AAAAA", c.same_as);
    EXPECT_EQ(typed.pairs, same.pairs);
    EXPECT_EQ(EnigmaRun(typed, text), EnigmaRun(same, text));
  }
  // The pairs need an even number of characters besides the blanks.
  EnigmaMachine m;
  EXPECT_EQ(EnigmaInit(m, "KBCDA", "AAAAA", "AAAAA", "AB CD"), EnigmaSetup::kDone);
  EXPECT_EQ(EnigmaInit(m, "KBCDA", "AAAAA", "AAAAA", "AB C"), EnigmaSetup::kOddPlugs);
  EXPECT_EQ(EnigmaInit(m, "KBCDA", "AAAAA", "AAAAA", "   "), EnigmaSetup::kDone);
}

TEST(EnigmaTest, LongPlugboardKeepsThePairsThatFit) {
  std::string pairs;
  while (pairs.size() < 200) pairs += "AZBYCXDW";
  pairs.resize(200);
  EnigmaMachine m = Machine("KBCDA", "AAAAA", "AAAAA", pairs.c_str());
  EXPECT_EQ(m.plugs, pairs.substr(0, 126));
  EnigmaMachine fits = Machine("KBCDA", "AAAAA", "AAAAA", pairs.substr(0, 126).c_str());
  EXPECT_EQ(EnigmaRun(m, "HELLOWORLD"), EnigmaRun(fits, "HELLOWORLD"));
}

class EnigmaInitErrorTest : public testing::Test {
 protected:
  // A machine that has been set up and turned, so stale entries show.
  void SetUp() override {
    ASSERT_EQ(EnigmaInit(m_, "KBCDA", "ABBBA", "QRSTA", "XY"), EnigmaSetup::kDone);
    EnigmaRun(m_, "AAA");
    before_ = m_;
  }
  EnigmaMachine m_, before_;
};

TEST_F(EnigmaInitErrorTest, EarlyChecksLeaveTheMachineAlone) {
  EXPECT_EQ(EnigmaInit(m_, "KBCDAAA", "AAAAAAA", "AAAAAAA", ""), EnigmaSetup::kTooManyWheels);
  ExpectSameMachine(m_, before_);
  EXPECT_EQ(EnigmaInit(m_, "KBCDA", "AAAA", "AAAAA", ""), EnigmaSetup::kRingsNotAsLong);
  ExpectSameMachine(m_, before_);
  EXPECT_EQ(EnigmaInit(m_, "KBCDA", "AAAAA", "AAAAA", "ABC"), EnigmaSetup::kOddPlugs);
  ExpectSameMachine(m_, before_);
}

TEST_F(EnigmaInitErrorTest, WheelOutOfRangeKeepsTheEarlierPlaces) {
  EXPECT_EQ(EnigmaInit(m_, "LEWD", "CCCC", "DDDD", "mn"), EnigmaSetup::kBadWheelLetter);
  EXPECT_EQ(m_.count, 4);
  EXPECT_EQ(m_.plugs, "MN");
  EXPECT_EQ(m_.places[0].wheel, 'L' - 'A');
  EXPECT_EQ(m_.places[1].wheel, 'E' - 'A');
  for (int i = 2; i < EnigmaMachine::kPlaces; ++i) {
    EXPECT_EQ(m_.places[i].wheel, before_.places[i].wheel) << i;
  }
  for (int i = 0; i < EnigmaMachine::kPlaces; ++i) {
    EXPECT_EQ(m_.places[i].ring_offset, before_.places[i].ring_offset) << i;
    EXPECT_EQ(m_.places[i].position, before_.places[i].position) << i;
  }
}

TEST_F(EnigmaInitErrorTest, RingOutOfRangeKeepsTheEarlierRings) {
  EXPECT_EQ(EnigmaInit(m_, "kbcda", "cc?cc", "DDDDD", ""), EnigmaSetup::kBadRingLetter);
  EXPECT_EQ(m_.places[0].ring_offset, 24);
  EXPECT_EQ(m_.places[1].ring_offset, 24);
  for (int i = 2; i < 5; ++i) EXPECT_EQ(m_.places[i].ring_offset, before_.places[i].ring_offset);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(m_.places[i].position, before_.places[i].position);
  EXPECT_EQ(m_.plugs, "");
}

TEST_F(EnigmaInitErrorTest, ShortPositionsFailAtTheirEnd) {
  EXPECT_EQ(EnigmaInit(m_, "KBCDA", "AAAAA", "EEE", ""), EnigmaSetup::kBadWindowLetter);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(m_.places[i].start, 4);
    EXPECT_EQ(m_.places[i].position, 4);
  }
  for (int i = 3; i < 5; ++i) {
    EXPECT_EQ(m_.places[i].ring_offset, 0);  // every ring was stored before
    EXPECT_EQ(m_.places[i].start, before_.places[i].start);
    EXPECT_EQ(m_.places[i].position, before_.places[i].position);
  }
  EXPECT_EQ(EnigmaInit(m_, "KBCDA", "AAAAA", "AA1AA", ""), EnigmaSetup::kBadWindowLetter);
  // Extra window letters are ignored.
  EXPECT_EQ(EnigmaInit(m_, "KBCDA", "AAAAA", "AAAAA#", ""), EnigmaSetup::kDone);
  EXPECT_EQ(EnigmaInit(m_, "KBCDAW", "AAAAAA", "AAAAAA", ""), EnigmaSetup::kBadWheelLetter);
}

TEST_F(EnigmaInitErrorTest, MachineStillRunsAfterAPartialSetUp) {
  EXPECT_EQ(EnigmaInit(m_, "KBW", "AAAAA", "AAAAA", ""), EnigmaSetup::kRingsNotAsLong);
  EXPECT_EQ(EnigmaInit(m_, "KBWDAC", "AAAAAA", "AAAAAA", ""), EnigmaSetup::kBadWheelLetter);
  std::string out = EnigmaRun(m_, "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  for (char c : out) EXPECT_TRUE(c >= 'A' && c <= 'Z') << out;
}

std::string Collect(void (*write)(TextSink&, const EnigmaMachine&), const EnigmaMachine& m) {
  StringSink out;
  write(out, m);
  return out.Take();
}

TEST(EnigmaOutputTest, SetUpTable) {
  EnigmaMachine m = Machine("PNBCDM", "AZBYCA", "QRSTUV", "ab");
  EXPECT_EQ(Collect(WriteEnigmaSetup, m),
            "+-----\n"
            "| Enigma Walzen: \n"
            "|   1: UKW B d\xFCnn M4 A-01 Q \n"
            "|   2: Beta M4 Z-26 R \n"
            "|   3: I       B-02 S \n"
            "|   4: II      Y-25 T \n"
            "|   5: III     C-03 U \n"
            "|   6: ETW M4  A-01 V \n"
            "| Enigma Steckbrett: \n"
            "|   AB\n"
            "+-----\n"
            "\n");
  EnigmaMachine none = Machine("", "", "", "");
  EXPECT_EQ(Collect(WriteEnigmaSetup, none),
            "+-----\n| Enigma Walzen: \n| Enigma Steckbrett: \n|   -- unbenutzt -- \n+-----\n\n");
}

TEST(EnigmaOutputTest, Positions) {
  EnigmaMachine m = Machine("KBCDA", "AAAAA", "AAAAA", "");
  EnigmaRun(m, "AAAAA");
  EXPECT_EQ(Collect(WriteEnigmaPositions, m), "Engima Stellung: AAAFA\n");
  EXPECT_EQ(Collect(WriteEnigmaPositions, EnigmaMachine{}), "Engima Stellung: \n");
}

TEST(EnigmaOutputTest, HelpTextListsEveryWheel) {
  StringSink out;
  WriteEnigmaInfo(out);
  std::string text = out.Take();
  EXPECT_EQ(text.rfind("\n+-----\n| EngigmaInit(R\xE4"
                       "der,Preset,Stellung,Steckbrett)\n",
                       0),
            0u);
  EXPECT_NE(text.find("A/B wird getauscht| \n| EnigmaRun(Text)\n"), std::string::npos);
  EXPECT_NE(text.find("'AAAAA' (Au\xDF"
                      "en)\n"),
            std::string::npos);
  EXPECT_NE(text.find("'Test gr\xF6\xDF"
                      "er?'\n"),
            std::string::npos);
  std::string table =
      "| Tabelle der R\xE4"
      "der\n";
  for (int i = 0; i < kEnigmaWheelCount; ++i) {
    table +=
        "|   " + std::string(1, static_cast<char>('A' + i)) + ": " + kEnigmaWheels[i].name + "\n";
  }
  table += "+-----\n\n";
  ASSERT_GE(text.size(), table.size());
  EXPECT_EQ(text.substr(text.size() - table.size()), table);
}

TEST(EnigmaWheelTest, WiringsArePermutationsAndReflectorsInvolutions) {
  for (int i = 0; i < kEnigmaWheelCount; ++i) {
    const EnigmaWheel& w = kEnigmaWheels[i];
    SCOPED_TRACE(w.name);
    std::string sorted = w.wiring;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  }
  for (char r : std::string("JKLPQV")) {
    const char* wiring = kEnigmaWheels[r - 'A'].wiring;
    for (int x = 0; x < 26; ++x) {
      int y = wiring[x] - 'A';
      EXPECT_EQ(wiring[y] - 'A', x) << r;
      EXPECT_NE(y, x) << r;
    }
  }
}

}  // namespace
}  // namespace orbelin
