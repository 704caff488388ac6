// The bindings as the parser calls them: argument order, what lands in which
// variable, the conversions of zone, band and strip arguments, the error
// numbers of the libraries' typed results, wrapping, and traces only with
// DEBUG.
#include "interp/bindings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "geodesy/gauss_krueger.h"
#include "text/text_state.h"

namespace orbelin {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

class BindingTest : public ::testing::Test {
 protected:
  ResultStream out_;
  Variables vars_;
  Diagnostics diagnostics_;
  HandOffPoint point_;
  TextState text_;
  std::vector<RunNote> notes_;
  Runtime rt_{out_, vars_, diagnostics_, text_, point_, notes_, 0, {}};

  BindingTest() { diagnostics_.BeginRun(&at_, nullptr); }
  SourceLocation at_{4, 9};

  // Numbers, then output variables 1, 2, ... in order.
  CallArgs Args(std::initializer_list<double> nums, int vars) {
    CallArgs a;
    int i = 0;
    for (double x : nums) a.num[i++] = x;
    for (int v = 0; v < vars; ++v) a.var[v] = v + 1;
    return a;
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
  double Var(int v) const { return vars_.Get(v); }
  std::vector<int> Errors() {
    std::vector<int> numbers;
    for (const ErrorRecord& r : diagnostics_.records()) numbers.push_back(r.number);
    return numbers;
  }
};

TEST_F(BindingTest, Gps2UtmStoresZoneBandCodeEastingNorthing) {
  HandleGps2Utm(rt_, Args({50, 8}, 4));
  EXPECT_EQ(Var(1), 32);
  EXPECT_EQ(Var(2), 85);  // U
  EXPECT_NEAR(Var(3), 428333.552, 5e-4);
  EXPECT_NEAR(Var(4), 5539109.815, 5e-4);
  HandleGps2Utm(rt_, Args({85, 8}, 4));
  EXPECT_EQ(Var(2), 42);  // '*'
  EXPECT_EQ(out_.Take(), "");
}

TEST_F(BindingTest, Utm2GpsFloorsZoneAndBand) {
  const struct {
    double zone, band;
  } cases[] = {{32, 85}, {32.7, 85.9}, {32, 85 + 256}};  // low eight bits of the band
  for (const auto& c : cases) {
    HandleUtm2Gps(rt_, Args({c.zone, c.band, 428333.552, 5539109.815}, 2));
    EXPECT_NEAR(Var(1), 50, 5e-7) << c.zone << " " << c.band;
    EXPECT_NEAR(Var(2), 8, 5e-7);
  }
  HandleUtm2Gps(rt_, Args({34, 99, 259583.210, 6245888.046}, 2));  // 'c' is southern
  EXPECT_NEAR(Var(1), -33.9, 1e-6);
  HandleUtm2Gps(rt_, Args({kNaN, kNaN, 500000, 0}, 2));  // zone 0, band 0: defined
  EXPECT_NEAR(Var(2), -183, 1e-9);
}

TEST_F(BindingTest, CpStoresDistanceAndAzimuthOrNaN) {
  HandleCp(rt_, Args({50, 8, 51, 9}, 2));
  EXPECT_NEAR(Var(1), 131935.96278, 5e-6);
  EXPECT_NEAR(Var(2), 32.14539, 5e-6);
  HandleCp(rt_, Args({0, 0, 0, 180}, 2));
  EXPECT_TRUE(std::isnan(Var(1)));
  EXPECT_TRUE(std::isnan(Var(2)));
  HandleCp(rt_, Args({50, 8, 50, 8}, 2));
  EXPECT_EQ(Var(1), 0);
  EXPECT_EQ(Var(2), 0);
  EXPECT_EQ(out_.Take(), "");  // DEBUG off: no trace
}

TEST_F(BindingTest, TracesOnlyWithDebug) {
  rt_.debug = -1;  // any value but 0 is on
  HandleCbp(rt_, Args({50, 8, 32.14539363728237, 131935.96278052218}, 2));
  EXPECT_NEAR(Var(1), 51, 5e-7);
  EXPECT_NEAR(Var(2), 9, 5e-7);
  HandleGk2Gps(rt_, Args({4595060.257, 5819301.807}, 2));
  EXPECT_NEAR(Var(1), 52.5, 2e-8);  // R and H were rounded to the millimetre
  EXPECT_NEAR(Var(2), 13.4, 2e-8);
  const std::string text = out_.Take();
  EXPECT_EQ(text.rfind("--> CalcBackProjection\n", 0), 0u);
  EXPECT_NE(text.find("<-- CalcBackProjection\n--> GK2Geo\nR=4595060.3 H=5819301.8\n<-- GK2Geo\n"),
            std::string::npos);
}

TEST_F(BindingTest, Gps2GkStripArgument) {
  HandleGps2Gk(rt_, Args({52.5, 13.4, 4}, 2));
  const double r = Var(1), h = Var(2);
  EXPECT_NEAR(r, 4595060.257, 5e-4);
  EXPECT_NEAR(h, 5819301.807, 5e-4);
  HandleGps2Gk(rt_, Args({52.5, 13.4, 999}, 2));  // above 360: MKZ(lon)
  EXPECT_EQ(Var(1), r);
  EXPECT_EQ(Var(2), h);
  HandleGps2Gk(rt_, Args({52.5, 13.4, 4.7}, 2));  // floored
  EXPECT_EQ(Var(1), r);
  HandleGps2Gk(rt_, Args({52.5, 13.4, 360}, 2));  // not above 360: strip 360
  EXPECT_EQ(Var(1), Geo2GK(kBessel, 52.5, 13.4, 360).r);
  HandleGps2Gk(rt_, Args({52.5, 13.4, kNaN}, 2));  // NaN: strip 0
  EXPECT_EQ(Var(1), Geo2GK(kBessel, 52.5, 13.4, 0).r);
  HandleGps2Gk(rt_, Args({52.5, kNaN, 999}, 2));
  EXPECT_TRUE(std::isnan(Var(1)));
}

TEST_F(BindingTest, ConstructionsStoreTheirPoints) {
  HandleCenter(rt_, Args({50, 9, 50.01, 9.02, 49.995, 9.03}, 2));
  EXPECT_NEAR(Var(1), 50.000008696, 1e-8);
  EXPECT_NEAR(Var(2), 9.016006699, 1e-8);
  HandleKreuzpeilung(rt_, Args({50, 9, 45, 50 + 1000 / 111229.0, 9, 135}, 2));
  EXPECT_NEAR(Var(1), 50.004495023, 1e-8);
  EXPECT_NEAR(Var(2), 9.006974573, 1e-8);
  HandleBogenschnitt(rt_, Args({50, 9, 50.01, 9.005, 800, 900}, 4));
  EXPECT_NEAR(Var(1), 50.006073579, 1e-8);
  EXPECT_NEAR(Var(2), 8.994020434, 1e-8);
  EXPECT_NEAR(Var(3), 50.002680811, 1e-8);
  EXPECT_NEAR(Var(4), 9.010355935, 1e-8);
  HandleBogenschnitt(rt_, Args({50, 9, 50.01, 9.005, 100, 100}, 4));
  for (int v = 1; v <= 4; ++v) EXPECT_TRUE(std::isnan(Var(v))) << v;
  EXPECT_EQ(out_.Take(), "");
}

TEST_F(BindingTest, FunctionsTakeTheirArgumentsInOrder) {
  EXPECT_NEAR(FnDistVincenty(rt_, Args({50, 8, 51, 9}, 0)), 131935.962, 1e-7);
  EXPECT_NEAR(FnDistUtm(rt_, Args({50, 8, 51, 9}, 0)), 131885.962, 5e-4);
  EXPECT_NEAR(FnBearingUtm(rt_, Args({50, 8, 51, 9}, 0)), 32.915194, 5e-7);
  EXPECT_NEAR(FnProjUtmLat(rt_, Args({50, 8, 45, 10000}, 0)), 50.0643976, 5e-8);
  EXPECT_NEAR(FnProjUtmLon(rt_, Args({50, 8, 90, 1000}, 0)), 8.0139513, 5e-8);
  EXPECT_EQ(FnMkz(rt_, Args({10.5}, 0)), 4);
  EXPECT_DOUBLE_EQ(FnGmmmm(rt_, Args({50, 12, 3, 4, 5}, 0)), 50.20575);
  EXPECT_EQ(FnTorad(rt_, Args({180}, 0)), 3.1415926535897936);
  EXPECT_DOUBLE_EQ(FnTodeg(rt_, Args({3.1415926535897936 / 2}, 0)), 90);
}

TEST_F(BindingTest, LetterSumsCountInTheirOwnAlphabets) {
  // The last letter of each alphabet is worth 26, so each keyword has its own.
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

TEST_F(BindingTest, CipherItemsWrapAtTheMarginAndMorseDoesNot) {
  out_.set_margin(10);
  CallArgs a = Str("Uryyb Jbeyq bs pvcuref");
  a.num[0] = 13;
  ItemRot13(rt_, a);
  EXPECT_EQ(out_.Take(), "Hello\nWorld of\nciphers");
  a.num[0] = 1.5;  // the shift is cut to 1
  ItemRot13(rt_, a);
  EXPECT_EQ(out_.Take(), "Vszzc\nKcfzr ct\nqwdvsfg");
  out_.set_margin(5);
  HandleEnigmaInit(rt_, Str("KBCDA", "AAAAA", "AAAAA", ""));
  out_.Take();
  HandleEnigmaRun(rt_, Str("AAAAA AAAAA"));
  EXPECT_EQ(out_.Take(), "BDZGO\nWCXLT\n");
  out_.set_margin(3);
  ItemMorse(rt_, Str("Hallo"));
  EXPECT_EQ(out_.Take(), ".... .- .-.. .-.. --- ");
}

TEST_F(BindingTest, MorseTracesOnlyWithDebug) {
  ItemMorse(rt_, Str("SOS"));
  ItemEsrom(rt_, Str("... ---"));
  EXPECT_EQ(out_.Take(), "...---... SO");
  rt_.debug = -1;  // any value but 0 is on
  ItemMorse(rt_, Str("SOS"));
  ItemEsrom(rt_, Str("... ---"));
  EXPECT_EQ(out_.Take(), "SOS...---... ... ---\n...S---O");
}

TEST_F(BindingTest, EachEnigmaFaultHasItsErrorNumberAndPrintsNoTable) {
  struct {
    const char *wheels, *rings, *positions, *plugs;
  } cases[] = {
      {"KBCDAAA", "AAAAAAA", "AAAAAAA", ""}, {"KBCDA", "AAAA", "AAAAA", ""},
      {"KBCDA", "AAAAA", "AAAAA", "ABC"},    {"KBCDW", "AAAAA", "AAAAA", ""},
      {"KBCDA", "AAAA1", "AAAAA", ""},       {"KBCDA", "AAAAA", "AAAA", ""},
  };
  for (const auto& c : cases) {
    diagnostics_.TokenDelivered();  // the reporter keeps errors two tokens apart
    diagnostics_.TokenDelivered();
    HandleEnigmaInit(rt_, Str(c.wheels, c.rings, c.positions, c.plugs));
  }
  EXPECT_EQ(Errors(), (std::vector<int>{114, 115, 116, 117, 118, 119}));
  EXPECT_EQ(out_.Take(), "");
}

// Inputs meant as written pass without a word; each odd one gets one
// warning or note at the call, and the results stay as they were.
TEST_F(BindingTest, TextInputsAreSaidOnlyWhenOdd) {
  using Kind = RunNote::Kind;
  HandleVigi(rt_, Str("KEY"));
  HandleSubstri(rt_, Str("ab"));
  HandleTransi(rt_, Str("QWERTZUIOPASDFGHJKLYXCVBNM"));
  ItemVige(rt_, Str("Hallo Welt"));
  ItemSubstr(rt_, Str("Hallo"));
  ItemTrans(rt_, Str("Hallo"));
  ItemMorse(rt_, Str("SOS Hallo CH 0123 \xC4\xD6\xDC\xDF .,:;?-()=+/@"));
  FnKqsum(rt_, Args({52.5}, 0));
  FnKqsum(rt_, Args({0.0}, 0));
  HandleEnigmaInit(rt_, Str("KBCDA", "AAAAA", "AAAAA", "AB CD EF"));
  HandleEnigmaInit(rt_, Str("KBCDA", "AAAAA", "AAAAA", ""));
  EXPECT_TRUE(notes_.empty()) << notes_.front().message;
  out_.Take();

  const StatementHandler kqsum = [](Runtime& rt, const CallArgs& a) { FnKqsum(rt, a); };
  const struct {
    StatementHandler handler;
    CallArgs args;
    Kind kind;
  } cases[] = {
      {HandleVigi, Str("GEO CACHE"), Kind::kWarning},
      {HandleSubstri, Str(""), Kind::kWarning},
      {HandleTransi, Str("qwertzuiopasdfghjklyxcvbnm"), Kind::kWarning},
      {HandleTransi, Str("QWERTZ"), Kind::kWarning},
      {ItemMorse, Str("KARTE"), Kind::kNote},
      {ItemMorse, Str("\xE4"), Kind::kWarning},
      {kqsum, Args({-0.5}, 0), Kind::kNote},
      {HandleEnigmaInit, Str("KBCDA", "AAAAA", "AAAAA", "ABAC"), Kind::kWarning},
  };
  for (const auto& c : cases) {
    notes_.clear();
    rt_.call = {7, 3};
    c.handler(rt_, c.args);
    ASSERT_EQ(notes_.size(), 1u);
    EXPECT_EQ(notes_[0].kind, c.kind) << notes_[0].message;
    EXPECT_EQ(notes_[0].at.line, 7);
    EXPECT_EQ(notes_[0].at.column, 3);
  }
  // What the odd keys did is what the ciphers define: the results stay.
  EXPECT_NE(out_.Take().find("| Enigma Steckbrett: \n|   ABAC\n"), std::string::npos);
  HandleVigi(rt_, Str("GEO CACHE"));
  ItemVige(rt_, Str("Hallo"));
  EXPECT_EQ(out_.Take(), "Nezeq");
  EXPECT_EQ(FnKqsum(rt_, Args({-52.5}, 0)), 11);
}

TEST_F(BindingTest, Lin3StoresTheSolutionOrReportsAndKeepsTheVariables) {
  HandleLin3(rt_, Args({1, 1, 1, 6, 1, 2, 3, 14, 2, 1, 1, 7}, 3));
  EXPECT_EQ(Var(1), 1);
  EXPECT_EQ(Var(2), 2);
  EXPECT_EQ(Var(3), 3);
  HandleLin3(rt_, Args({1, 2, 3, 0, 2, 4, 6, 0, 1, 1, 1, 0}, 3));
  EXPECT_EQ(Errors(), std::vector<int>{113});
  EXPECT_EQ(Var(1), 1);
}

}  // namespace
}  // namespace orbelin
