#include "frontend/vary/unknowns.h"

#include <set>

#include "frontend/vary/plan.h"
#include "interp/catalogue.h"
#include "interp/diagnostics.h"
#include "interp/scanner.h"
#include "interp/terminals.h"

namespace orbelin {

std::vector<std::string> UnsetVariables(std::string_view source) {
  const std::string text(source.substr(0, source.find('\0')));
  Diagnostics quiet;  // never started: it stores nothing
  Scanner sc(text, quiet);
  std::set<std::string> set;
  char buffer[Scanner::kNameBytes + 1];
  bool statement_start = true;
  int previous = kSemicolon;
  // Inside a library statement's parentheses: their depth, the argument
  // at depth one, and the kinds of its arguments ('V' is a variable it
  // writes).
  int depth = 0;
  size_t argument = 0;
  std::string_view kinds;
  for (sc.NextToken(); sc.lookahead() != kEof;) {
    sc.NextToken();
    const int t = sc.current().terminal;
    if (t == kIdent) {
      const bool written = depth == 1 && (previous == kLParen || previous == kComma) &&
                           (sc.lookahead() == kComma || sc.lookahead() == kRParen) &&
                           argument < kinds.size() && kinds[argument] == 'V';
      if ((statement_start && sc.lookahead() == kEquals) || written) {
        set.emplace(sc.NameText(buffer));
      }
    }
    if (depth > 0) {
      if (t == kLParen) ++depth;
      if (t == kRParen) --depth;
      if (t == kComma && depth == 1) ++argument;
    } else if (t == kLParen && TerminalRole(previous) == Role::kStatement) {
      depth = 1;
      argument = 0;
      kinds = CallFormOf(previous).kinds;
    }
    statement_start = t == kSemicolon && depth == 0;
    previous = t;
  }
  std::vector<std::string> unset;
  for (const std::string& name : DeclaredVariables(text)) {
    if (!set.contains(name)) unset.push_back(name);
  }
  return unset;
}

}  // namespace orbelin
