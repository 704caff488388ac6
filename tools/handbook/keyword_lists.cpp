#include "keyword_lists.h"

#include <string_view>

#include "interp/catalogue.h"
#include "interp/terminals.h"

namespace handbook {
namespace {

using orbelin::Role;

// The grammar's name for each argument kind of a row (terminal_table.h):
// n an expression, s a string literal, V a name that receives a result;
// ":13" after an argument is an optional ": number".
std::vector<std::string> Arguments(std::string_view kinds) {
  std::vector<std::string> args;
  for (size_t i = 0; i < kinds.size(); ++i) {
    switch (kinds[i]) {
      case 'N':
        args.emplace_back("n");
        break;
      case 'S':
        args.emplace_back("s");
        break;
      case 'V':
        args.emplace_back("V");
        break;
      case ':':
        if (!args.empty()) args.back() += " [ \":\" number ]";
        while (i + 1 < kinds.size() && kinds[i + 1] >= '0' && kinds[i + 1] <= '9') ++i;
        break;
      default:
        break;
    }
  }
  return args;
}

bool OfKind(Role role, KeywordKind kind) {
  switch (kind) {
    case KeywordKind::kAll:
      return true;
    case KeywordKind::kItem:
      return role == Role::kItem;
    case KeywordKind::kFirstItem:
      return role == Role::kFirstItem;
    case KeywordKind::kAnyItem:
      return role == Role::kItem || role == Role::kFirstItem;
  }
  return false;
}

// Lines of at most `width` columns from units that stay whole, joined by
// blanks; a line that is continued goes on at `indent`.
class Lines {
 public:
  Lines(size_t width, std::string first) : width_(width), line_(std::move(first)) {}
  void Add(const std::string& unit, size_t indent) {
    if (line_.size() + 1 + unit.size() > width_ && line_.find_first_not_of(' ') < line_.size()) {
      out_ += line_ + "\n";
      line_ = std::string(indent, ' ') + unit;
      return;
    }
    if (!line_.empty() && line_.back() != ' ') line_ += ' ';
    line_ += unit;
  }
  size_t column() const { return line_.size(); }
  std::string Done() { return out_ + line_; }

 private:
  size_t width_;
  std::string out_;
  std::string line_;
};

// One rule: the keywords of the roles given, grouped by their arguments.
std::string Rule(const std::string& name, std::initializer_list<Role> roles, size_t width) {
  struct Group {
    std::string kinds;
    std::vector<std::string> keywords;
  };
  std::vector<Group> groups;
  for (int t = 0; t < orbelin::kTerminalCount; ++t) {
    if (!orbelin::IsKeyword(t)) continue;
    bool wanted = false;
    for (Role r : roles) wanted = wanted || orbelin::TerminalRole(t) == r;
    if (!wanted) continue;
    const std::string kinds = orbelin::CallFormOf(t).kinds;
    Group* group = nullptr;
    for (Group& g : groups) {
      if (g.kinds == kinds) group = &g;
    }
    if (!group) group = &groups.emplace_back(Group{kinds, {}});
    group->keywords.emplace_back(orbelin::TerminalText(t));
  }
  std::string out = name + " =\n";
  for (size_t i = 0; i < groups.size(); ++i) {
    const Group& g = groups[i];
    // "    ( ..." for the first alternative, "  | ..." for the others; a
    // list of keywords goes on under its first keyword.
    Lines lines(width, i == 0 ? "    " : "  | ");
    const size_t open = lines.column();
    if (g.keywords.size() == 1) {
      lines.Add("\"" + g.keywords.front() + "\"", open);
    } else {
      for (size_t k = 0; k < g.keywords.size(); ++k) {
        const std::string word = "\"" + g.keywords[k] + "\"";
        lines.Add(k == 0 ? "( " + word : "| " + word, open + 2);
      }
      lines.Add(")", open);
    }
    const std::vector<std::string> args = Arguments(g.kinds);
    if (!args.empty()) {
      // The arguments go on under the first one, or under the keywords
      // when that is far to the right.
      size_t first_arg = 0;
      for (size_t a = 0; a < args.size(); ++a) {
        std::string unit = args[a] + (a + 1 < args.size() ? " \",\"" : " \")\"");
        if (a == 0) unit = "\"(\" " + unit;
        lines.Add(unit, a == 0 ? open + 4 : first_arg);
        if (a == 0) {
          first_arg = lines.column() - unit.size() + 4;
          if (first_arg > width / 2) first_arg = open + 4;
        }
      }
    }
    out += lines.Done() + (i + 1 < groups.size() ? "\n" : " ;\n");
  }
  return out;
}

}  // namespace

std::string LibraryGrammar(size_t width) {
  return Rule("library-statement", {Role::kStatement, Role::kBareStatement}, width) + "\n" +
         Rule("library-item", {Role::kItem}, width) + "\n" +
         Rule("first-only-item", {Role::kFirstItem}, width) + "\n" +
         Rule("function", {Role::kFunction}, width);
}

std::vector<std::string> Keywords(KeywordKind kind) {
  std::vector<std::string> words;
  for (int t = 0; t < orbelin::kTerminalCount; ++t) {
    if (orbelin::IsKeyword(t) && OfKind(orbelin::TerminalRole(t), kind)) {
      words.emplace_back(orbelin::TerminalText(t));
    }
  }
  return words;
}

std::string KeywordRun(const std::vector<std::string>& keywords) {
  std::string run;
  for (size_t i = 0; i < keywords.size(); ++i) {
    if (i > 0) run += i + 1 == keywords.size() ? " and " : ", ";
    run += "`" + keywords[i] + "`";
  }
  return run;
}

}  // namespace handbook
