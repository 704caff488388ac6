// `orbelin help`: every keyword the scanner knows has an entry, the topics
// and messages are there, unknown words get suggestions, everything fits an
// 80-column terminal, and the man page is generated and installed.
#include "help/help.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "file_bytes.h"
#include "interp/terminals.h"

namespace {

namespace fs = std::filesystem;

using orbelin::testing::ReadBytes;
struct Result {
  int status;
  std::string out, err;
};

fs::path Scratch() {
  fs::path dir =
      fs::path(testing::TempDir()) /
      ("help." + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()) + "." +
       std::to_string(getpid()));  // other builds' tests run beside this one
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

Result Orbelin(const std::string& args) {
  fs::path dir = Scratch() / "run";
  fs::create_directories(dir);
  std::string command = std::string(ORBELIN_BINARY_DIR) + "/orbelin " + args + " >" +
                        (dir / "out").string() + " 2>" + (dir / "err").string() + " </dev/null";
  int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadBytes(dir / "out"), ReadBytes(dir / "err")};
}

// The 109 keywords: every terminal whose text is a word.
std::vector<std::string> Keywords() {
  std::vector<std::string> words;
  for (int t = 0; t < orbelin::kTerminalCount; ++t) {
    std::string_view text = orbelin::TerminalText(t);
    if (!text.empty() && std::isalpha(static_cast<unsigned char>(text[0]))) {
      words.emplace_back(text);
    }
  }
  return words;
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// Lines wider than 80 characters (UTF-8 code points), with their text.
std::vector<std::string> WideLines(const std::string& text) {
  std::vector<std::string> wide;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    size_t width = 0;
    for (unsigned char c : line) width += (c & 0xC0) != 0x80;
    if (width > 80) wide.push_back(line);
  }
  return wide;
}

TEST(Help, EveryKeywordHasItsEntryOnTheCommandLineInAnyCase) {
  std::vector<std::string> keywords = Keywords();
  ASSERT_EQ(keywords.size(), 109u);
  std::string index = orbelin::HelpIndex();
  for (const std::string& k : keywords) {
    SCOPED_TRACE(k);
    Result r = Orbelin("help " + Lower(k));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    // The entry's heading names the keyword before the colon.
    std::string heading = r.out.substr(0, r.out.find(": "));
    EXPECT_NE((", " + heading + ",").find(", " + k + ","), std::string::npos) << heading;
    EXPECT_EQ(orbelin::HelpEntry(k), r.out);
    EXPECT_NE(index.find(" " + k), std::string::npos) << "missing from the index";
  }
}

TEST(Help, TopicsAndMessages) {
  Result r = Orbelin("help messages");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("Gleichung nicht lösbar"), std::string::npos);
  EXPECT_NE(r.out.find("EOF expected"), std::string::npos);
  for (const char* topic : {"getting-started", "language", "reference", "accuracy", "cookbook"}) {
    EXPECT_TRUE(orbelin::HelpEntry(topic)) << topic;
  }

  r = Orbelin("help E111");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out.rfind("E111: indent name unknown", 0), 0u) << r.out;
  EXPECT_EQ(orbelin::HelpEntry("111"), r.out);
  EXPECT_EQ(orbelin::HelpEntry("e111"), r.out);
  // Every number the program can report has its entry; the "expected"
  // family shares one.
  for (int n : {0, 1, 2, 3, 4, 6, 25, 96, 100, 101, 105, 110, 111, 113, 116, 119}) {
    EXPECT_TRUE(orbelin::HelpEntry("E" + std::to_string(n))) << n;
  }
  EXPECT_EQ(orbelin::HelpEntry("E6"), orbelin::HelpEntry("E56"));
  EXPECT_NE(orbelin::HelpEntry("E6"), orbelin::HelpEntry("E110"));
  EXPECT_FALSE(orbelin::HelpEntry("E120"));
  EXPECT_FALSE(orbelin::HelpEntry(""));
}

TEST(Help, AnUnknownWordNamesTheNearestKeywords) {
  Result r = Orbelin("help CBQ");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("CBP"), std::string::npos) << r.err;

  std::vector<std::string> s = orbelin::SuggestKeywords("enigma");
  EXPECT_EQ(s.size(), 4u);  // the four ENIGMA... keywords begin with it
  EXPECT_EQ(orbelin::SuggestKeywords("kreuzpeilng").front(), "KREUZPEILUNG");
  EXPECT_EQ(orbelin::SuggestKeywords("sqr").front(), "SQRT");

  // A known and an unknown word: the entry is printed, the status is 2.
  r = Orbelin("help sqrt nosuchword");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, *orbelin::HelpEntry("SQRT"));

  r = Orbelin("help");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, orbelin::HelpIndex());
}

// Found entries by their keys; found sections as "topic: heading".
std::vector<std::string> Names(const std::vector<orbelin::HelpFound>& found, bool sections) {
  std::vector<std::string> names;
  for (const orbelin::HelpFound& f : found)
    names.push_back(sections ? f.keys + ": " + f.title : f.keys);
  return names;
}

TEST(Help, FindsByMeaning) {
  using V = std::vector<std::string>;
  struct Case {
    const char* asked;
    V named;     // entries whose keys or title answer, in the handbook's order
    V sections;  // "topic: heading"
  };
  const Case cases[] = {
      {"distance", {"CP", "DISTVINCENTY", "DISTUTM"}, {"cookbook: Distance and bearing"}},
      {"projection", {"CBP"}, {}},
      {"caesar", {"ROT13"}, {"cookbook: ROT13 and Caesar"}},
      {"utm", {"WUTM", "GPS2UTM", "UTM2GPS"}, {"reference: UTM", "reference: Plane UTM"}},
      // Accents and case do not matter.
      {"VIGENERE", {"VIGI", "VIGE", "VIGD"}, {"cookbook: Vigenère"}},
      {"Kruger",
       {"WGK", "GPS2GK", "GK2GPS", "MKZ", "GPS2MGI", "MGI2GPS", "WMGI"},
       {"reference: Gauss-Krüger and the constructions"}},
      // Section names.
      {"coordinates",
       {"KQSUM"},
       {"language: Coordinate literals", "reference: Coordinates and output"}},
      {"errors", {}, {"messages: Syntax errors", "messages: Statement errors"}},
      {"enigma",
       {"ENIGMAINIT", "ENIGMARUN", "ENIGMAWHEELS", "ENIGMAINFO"},
       {"reference: Enigma", "cookbook: Enigma"}},
      // Every word must answer.
      {"grid distance", {"DISTUTM"}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.asked);
    orbelin::HelpSearch found = orbelin::SearchHelp(c.asked);
    EXPECT_EQ(Names(found.named, false), c.named);
    V sections = Names(found.sections, true);
    for (const std::string& s : c.sections) {
      EXPECT_NE(std::find(sections.begin(), sections.end(), s), sections.end()) << s;
    }
  }
  // Signs are looked for as they are written, in any case.
  orbelin::HelpSearch signs = orbelin::SearchHelp("->");
  EXPECT_NE(std::find(signs.mentioned.begin(), signs.mentioned.end(), "WRITE"),
            signs.mentioned.end());
  EXPECT_EQ(orbelin::SearchHelp("°n").mentioned, orbelin::SearchHelp("°N").mentioned);
  EXPECT_TRUE(orbelin::SearchHelp(";;;;").empty());
  EXPECT_TRUE(orbelin::SearchHelp("xyzzy").empty());
  EXPECT_TRUE(orbelin::SearchHelp("  ").empty());

  // On the command line: a word that is no entry's name lists what it
  // finds, with the titles; one that finds nothing is an error.
  Result r = Orbelin("help distance");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out.substr(0, r.out.find("  cookbook")),
            "The handbook on 'distance':\n"
            "  CP            distance and bearing between two points\n"
            "  DISTVINCENTY  distance between two points\n"
            "  DISTUTM       grid distance between two points\n");
  EXPECT_EQ(WideLines(Orbelin("help errors").out), V{});
  r = Orbelin("help xyzzy");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
}

TEST(Help, EveryTextFitsEightyColumns) {
  EXPECT_EQ(WideLines(orbelin::HelpIndex()), std::vector<std::string>{});
  for (const std::string& key : orbelin::HelpKeys()) {
    SCOPED_TRACE(key);
    std::optional<std::string> text = orbelin::HelpEntry(key);
    ASSERT_TRUE(text);
    EXPECT_EQ(WideLines(*text), std::vector<std::string>{});
  }
}

TEST(Help, TheManPageAndTheJsonAreGeneratedAndTheManPageInstalls) {
  std::string man = ReadBytes(fs::path(ORBELIN_HELP_DIR) / "orbelin.1");
  EXPECT_EQ(man.find(".TH ORBELIN 1"), man.find('\n') + 1);
  EXPECT_NE(man.find(".SH \"REFERENCE\""), std::string::npos);
  EXPECT_NE(man.find(".SH \"MESSAGES\""), std::string::npos);
  for (const std::string& k : Keywords()) EXPECT_NE(man.find(k), std::string::npos) << k;
  std::string json = ReadBytes(fs::path(ORBELIN_HELP_DIR) / "help.json");
  EXPECT_EQ(json.rfind("[\n  {\"key\": ", 0), 0u);
  EXPECT_NE(json.find("{\"key\": \"CBP\", \"title\": "), std::string::npos);
  EXPECT_NE(json.find("{\"key\": \"E111\", \"title\": \"indent name unknown\""), std::string::npos);
  EXPECT_NE(json.find("{\"key\": \"Language\", \"title\": \"Coordinate literals\""),
            std::string::npos);

  fs::path prefix = Scratch() / "prefix";
  std::string command = "cmake --install " + std::string(ORBELIN_BINARY_DIR) + " --prefix " +
                        prefix.string() + " >/dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_EQ(ReadBytes(prefix / ORBELIN_INSTALL_MANDIR / "man1" / "orbelin.1"), man);
}

// Runs a shell command; its standard output, and its standard error apart.
Result Shell(const std::string& command) {
  fs::path dir = Scratch() / "shell";
  fs::create_directories(dir);
  int raw = std::system(
      (command + " >" + (dir / "out").string() + " 2>" + (dir / "err").string()).c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadBytes(dir / "out"), ReadBytes(dir / "err")};
}

TEST(Help, TheManPageReadsAsManPagesDo) {
  const std::string page = (fs::path(ORBELIN_HELP_DIR) / "orbelin.1").string();
  Result r = Shell("MANWIDTH=80 MAN_KEEP_FORMATTING= man --warnings -l " + page);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");  // no troff warning
  EXPECT_EQ(WideLines(r.out), std::vector<std::string>{});
  // No word hyphenated at a line's end (groff's hyphen is U+2010).
  EXPECT_EQ(r.out.find("\u2010\n"), std::string::npos);
  // The usual sections in the usual order, the handbook between them.
  size_t at = 0;
  for (const char* section :
       {"\nNAME\n", "\nSYNOPSIS\n", "\nDESCRIPTION\n", "\nOPTIONS\n", "\nEXIT STATUS\n",
        "\nFILES\n", "\nENVIRONMENT\n", "\nREFERENCE\n", "\nSEE ALSO\n"}) {
    size_t found = r.out.find(section, at);
    EXPECT_NE(found, std::string::npos) << section;
    if (found != std::string::npos) at = found;
  }
  for (const char* form :
       {"orbelin run -", "-e TEXT", "--output-dir DIR", "--no-files", "--encoding", "orbelin help",
        "orbelin vary SCRIPT --set NAME=VALUES", "--home DIR", "ORBELIN_HOME", "NO_COLOR",
        "Orbelin.ini", "Orbelin.def"}) {
    EXPECT_NE(r.out.find(form), std::string::npos) << form;
  }
  // Code shows the characters to type, not typographic look-alikes.
  EXPECT_NE(r.out.find("WRITE 'Start  ', WGPS(LAT, LON);"), std::string::npos);

  r = Shell("lexgrog " + page);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, page + ": \"orbelin - a calculator for puzzle solving and field navigation\"\n");
}

TEST(Help, TheTerminalShowsCodeAsCode) {
  std::optional<std::string> text = orbelin::HelpEntry("getting-started");
  ASSERT_TRUE(text);
  EXPECT_NE(text->find("Every\nstatement ends with `;`; `--` starts a comment."), std::string::npos)
      << *text;
}

}  // namespace
