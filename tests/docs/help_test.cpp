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

// A scratch folder of this test in this process: the same test of another
// build running at the same time must not empty it.
fs::path Scratch() {
  fs::path dir =
      fs::path(testing::TempDir()) /
      ("help." + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()) + "." +
       std::to_string(getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  // Gone when the test program ends.
  static struct Folders {
    std::vector<fs::path> made;
    ~Folders() {
      std::error_code ignored;
      for (const fs::path& p : made) fs::remove_all(p, ignored);
    }
  } folders;
  folders.made.push_back(dir);
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

// The keywords: every terminal whose text is a word.
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
  ASSERT_EQ(keywords.size(), 144u);
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
  for (int n : {0, 1, 2, 3, 4, 6, 25, 96, 100, 101, 105, 110, 111, 113, 116, 119, 120, 121, 122}) {
    EXPECT_TRUE(orbelin::HelpEntry("E" + std::to_string(n))) << n;
  }
  EXPECT_EQ(orbelin::HelpEntry("E6"), orbelin::HelpEntry("E56"));
  EXPECT_NE(orbelin::HelpEntry("E6"), orbelin::HelpEntry("E110"));
  EXPECT_FALSE(orbelin::HelpEntry("E123"));
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

  // A known and an unknown word are one question: what the known one finds
  // is listed, and the unknown one named.
  r = Orbelin("help sqrt nosuchword");
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(r.out.starts_with("The handbook on 'sqrt nosuchword':\n  SQRT ")) << r.out;
  EXPECT_NE(r.out.find("Nothing in the handbook speaks of 'nosuchword'."), std::string::npos);

  // Several keywords: each entry.
  r = Orbelin("help cp cbp");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, *orbelin::HelpEntry("CP") + "\n" + *orbelin::HelpEntry("CBP"));

  r = Orbelin("help");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, orbelin::HelpIndex());
}

struct Query {
  std::string asked;
  std::string cli;   // the entry `orbelin help` shows first
  std::string page;  // the one the page's help shows first
};

// tests/docs/help_queries.txt, which the page's test reads too.
std::vector<Query> Queries() {
  std::vector<Query> queries;
  std::istringstream in(ReadBytes(fs::path(ORBELIN_SOURCE_DIR) / "tests/docs/help_queries.txt"));
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> parts;
    for (size_t start = 0;;) {
      const size_t bar = line.find(" | ", start);
      parts.push_back(line.substr(start, bar - start));
      if (bar == std::string::npos) break;
      start = bar + 3;
    }
    queries.push_back({parts[0], parts.at(1), parts.size() > 2 ? parts[2] : parts[1]});
  }
  return queries;
}

// The words of a query as a shell passes them, each quoted.
std::string Quoted(const std::string& query) {
  std::string out;
  std::istringstream in(query);
  for (std::string word; in >> word;) out += " '" + word + "'";
  return out;
}

// The first entry a help screen shows: the first row of a search's list
// ("  CP   distance and ...", "  cookbook: Morse"), or the heading line of an
// entry shown whole ("CP: distance and ...", "cookbook: Morse").
bool ShowsFirst(const std::string& out, const std::string& name) {
  std::istringstream in(out);
  std::string line;
  std::getline(in, line);
  if (line.starts_with("The handbook on ") || line.starts_with("Nothing in the handbook")) {
    while (std::getline(in, line) && !line.starts_with("  ")) {
    }
    line.erase(0, line.find_first_not_of(' '));
    return line == name || line.starts_with(name + " ");
  }
  return line == name || line.starts_with(name + ": ");
}

// Everyday questions find their entry first, on a screen of 80 columns.
TEST(Help, EverydayQuestionsShowTheirEntryFirst) {
  const std::vector<Query> queries = Queries();
  ASSERT_GE(queries.size(), 40u);
  for (const Query& q : queries) {
    SCOPED_TRACE(q.asked);
    const Result r = Orbelin("help" + Quoted(q.asked));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(ShowsFirst(r.out, q.cli)) << "expected " << q.cli << " first:\n" << r.out;
    EXPECT_EQ(WideLines(r.out), std::vector<std::string>{});
  }
}

TEST(Help, SearchesWhatPeopleTypeNotEveryLetter) {
  // Signs are looked for as they are written, in any case.
  EXPECT_EQ(orbelin::SearchHelp("->").found.front().name, "WRITE");
  EXPECT_EQ(orbelin::SearchHelp("\xC2\xB0n").found.size(),
            orbelin::SearchHelp("\xC2\xB0N").found.size());
  // A letter alone is no question; an accented one is looked for as it
  // stands, not as every "a".
  EXPECT_TRUE(orbelin::SearchHelp("a").empty());
  const orbelin::HelpSearch umlaut = orbelin::SearchHelp("\xC3\xA4");
  EXPECT_FALSE(umlaut.empty());
  EXPECT_LT(umlaut.found.size(), orbelin::SearchHelp("the").found.size() / 4);
  EXPECT_TRUE(orbelin::SearchHelp(";;;;").empty());
  EXPECT_TRUE(orbelin::SearchHelp("  ").empty());
  // A word a letter away from the handbook's is searched as that word.
  EXPECT_EQ(orbelin::SearchHelp("bearnig").instead, "bearing");
  EXPECT_EQ(orbelin::SearchHelp("xyzzy").instead, "");

  Result r = Orbelin("help xyzzy");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_TRUE(r.err.starts_with("orbelin help: nothing in the handbook speaks of 'xyzzy'.\n"))
      << r.err;
  r = Orbelin("help --help");
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(r.out.starts_with("Usage: orbelin help [WORD...]\n")) << r.out;
  EXPECT_EQ(WideLines(r.out), std::vector<std::string>{});
  // A chapter's section by its name.
  r = Orbelin("help 'cookbook: Morse'");
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(r.out.starts_with("cookbook: Morse\n")) << r.out;
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

TEST(Help, TheJsonIsGeneratedAndTheManPagesAndTheHandbookInstall) {
  const std::string man1 = ReadBytes(fs::path(ORBELIN_HELP_DIR) / "orbelin.1");
  const std::string man7 = ReadBytes(fs::path(ORBELIN_HELP_DIR) / "orbelin.7");
  // The page's date, as a man page gives it.
  for (const std::string* page : {&man1, &man7}) {
    const size_t th = page->find(".TH ORBELIN ");
    EXPECT_EQ(th, page->find('\n') + 1);
    const std::string date = page->substr(th + 15, 10);
    EXPECT_TRUE(date.size() == 10 && date[4] == '-' && date[7] == '-' &&
                std::isdigit(static_cast<unsigned char>(date[0])))
        << page->substr(th, 60);
  }
  // Options are tagged paragraphs; the language is in the other page.
  EXPECT_NE(man1.find(".TP\n\\fB\\-\\-gpx\\ FILE\\fR\n"), std::string::npos);
  EXPECT_EQ(man1.find(".SH \"REFERENCE\""), std::string::npos);
  EXPECT_NE(man7.find(".SH \"REFERENCE\""), std::string::npos);
  EXPECT_NE(man7.find(".SH \"MESSAGES\""), std::string::npos);
  for (const std::string& k : Keywords()) EXPECT_NE(man7.find(k), std::string::npos) << k;

  std::string json = ReadBytes(fs::path(ORBELIN_HELP_DIR) / "help.json");
  EXPECT_EQ(json.rfind("{\n  \"stopWords\": [", 0), 0u);
  EXPECT_NE(json.find("\n    [\"quersumme\", [\"digit sum\"]]"), std::string::npos);
  EXPECT_NE(json.find("{\"key\": \"CBP\", \"title\": "), std::string::npos);
  EXPECT_NE(json.find("{\"key\": \"E111\", \"title\": \"indent name unknown\""), std::string::npos);
  EXPECT_NE(json.find("{\"key\": \"language\", \"title\": \"Coordinate literals\", "
                      "\"kind\": \"section\""),
            std::string::npos);

  fs::path prefix = Scratch() / "prefix";
  std::string command = "cmake --install " + std::string(ORBELIN_BINARY_DIR) + " --prefix " +
                        prefix.string() + " >/dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_EQ(ReadBytes(prefix / ORBELIN_INSTALL_MANDIR / "man1" / "orbelin.1"), man1);
  EXPECT_EQ(ReadBytes(prefix / ORBELIN_INSTALL_MANDIR / "man7" / "orbelin.7"), man7);
  // What the pages' FILES and SEE ALSO name.
  EXPECT_EQ(ReadBytes(prefix / "share/doc/orbelin/language.md"),
            ReadBytes(fs::path(ORBELIN_SOURCE_DIR) / "docs/handbook/language.md"));
  EXPECT_TRUE(fs::exists(prefix / "share/doc/orbelin/index.md"));
  EXPECT_TRUE(fs::exists(prefix / "share/orbelin/examples/puzzle.inp"));
}

// Runs a shell command; its standard output, and its standard error apart.
Result Shell(const std::string& command) {
  fs::path dir = Scratch() / "shell";
  fs::create_directories(dir);
  int raw = std::system(
      (command + " >" + (dir / "out").string() + " 2>" + (dir / "err").string()).c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadBytes(dir / "out"), ReadBytes(dir / "err")};
}

// A page as man shows it on an 80-column terminal, with no troff warning,
// and what lexgrog reads of its NAME.
std::string ReadsAsAManPage(const std::string& page, const std::string& name) {
  Result r = Shell("MANWIDTH=80 MAN_KEEP_FORMATTING= man --warnings -l " + page);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");  // no troff warning
  EXPECT_EQ(WideLines(r.out), std::vector<std::string>{});
  // No word hyphenated at a line's end (groff's hyphen is U+2010).
  EXPECT_EQ(r.out.find("\u2010\n"), std::string::npos);
  const Result g = Shell("lexgrog " + page);
  EXPECT_EQ(g.status, 0) << g.err;
  EXPECT_EQ(g.out, page + ": \"" + name + "\"\n");
  return r.out;
}

// The options a program's --help names: "--gpx", "-j".
std::vector<std::string> OptionsNamed(const std::string& help) {
  std::vector<std::string> options;
  for (size_t i = 0; i < help.size(); ++i) {
    if (help[i] != '-' || (i > 0 && help[i - 1] != ' ' && help[i - 1] != ',')) continue;
    size_t end = i + 1;
    if (end < help.size() && help[end] == '-') ++end;
    if (end >= help.size() || !std::islower(static_cast<unsigned char>(help[end]))) continue;
    while (end < help.size() &&
           (std::isalnum(static_cast<unsigned char>(help[end])) || help[end] == '-')) {
      ++end;
    }
    const std::string option = help.substr(i, end - i);
    if (option != "--help-all" &&
        std::find(options.begin(), options.end(), option) == options.end()) {
      options.push_back(option);
    }
    i = end;
  }
  return options;
}

TEST(Help, TheManPagesReadAsManPagesDo) {
  const std::string out =
      ReadsAsAManPage((fs::path(ORBELIN_HELP_DIR) / "orbelin.1").string(),
                      "orbelin - a calculator for puzzle solving and field navigation");
  // The usual sections in the usual order.
  size_t at = 0;
  for (const char* section :
       {"\nNAME\n", "\nSYNOPSIS\n", "\nDESCRIPTION\n", "\nCOMMANDS\n", "\nOPTIONS\n",
        "\nEXIT STATUS\n", "\nENVIRONMENT\n", "\nFILES\n", "\nEXAMPLES\n", "\nSEE ALSO\n"}) {
    size_t found = out.find(section, at);
    EXPECT_NE(found, std::string::npos) << section;
    if (found != std::string::npos) at = found;
  }
  // Every option that the programs' own --help names.
  std::vector<std::string> options = OptionsNamed(Orbelin("--help").out);
  for (const std::string& o : OptionsNamed(Orbelin("vary --help").out)) options.push_back(o);
  const fs::path window = fs::path(ORBELIN_BINARY_DIR) / "orbelin-window";
  if (fs::exists(window)) {
    for (const std::string& o : OptionsNamed(Shell(window.string() + " --help").out)) {
      options.push_back(o);
    }
  }
  EXPECT_GE(options.size(), 15u);
  std::vector<std::string> tags;  // "       -j N, --jobs N": the tagged paragraphs' tags
  std::istringstream lines(out);
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with("       -")) tags.push_back(line.substr(7) + ",");
  }
  for (const std::string& o : options) {
    const bool tagged = std::any_of(tags.begin(), tags.end(), [&](const std::string& t) {
      return t.starts_with(o + " ") || t.starts_with(o + ",") ||
             t.find(", " + o + " ") != std::string::npos ||
             t.find(", " + o + ",") != std::string::npos;
    });
    EXPECT_TRUE(tagged) << o << " is no tag of orbelin(1)";
  }
  for (const char* form :
       {"orbelin vary SCRIPT --set NAME=VALUES", "130", "ORBELIN_HOME", "XDG_DATA_HOME", "NO_COLOR",
        "Orbelin.ini", "share/doc/orbelin", "share/orbelin/examples", "orbelin(7)"}) {
    EXPECT_NE(out.find(form), std::string::npos) << form;
  }

  const std::string language =
      ReadsAsAManPage((fs::path(ORBELIN_HELP_DIR) / "orbelin.7").string(),
                      "orbelin - the script language of the Orbelin calculator, and its handbook");
  // Code shows the characters to type, not typographic look-alikes.
  EXPECT_NE(language.find("WRITE 'Start  ', WGPS(LAT, LON);"), std::string::npos);
  EXPECT_NE(language.find("orbelin(1)"), std::string::npos);
}

TEST(Help, TheTerminalShowsCodeAsCode) {
  std::optional<std::string> text = orbelin::HelpEntry("getting-started");
  ASSERT_TRUE(text);
  EXPECT_NE(text->find("Every\nstatement ends with `;`; `--` starts a comment."), std::string::npos)
      << *text;
}

}  // namespace
