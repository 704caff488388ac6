// The handbook's lists of keywords, made from the terminal table, so that a
// keyword added to the table cannot be missing from the grammar or from a
// list that claims to name every item.
#pragma once

#include <string>
#include <vector>

namespace handbook {

// The library part of the grammar, in extended Backus-Naur form: the
// library statements, the output items (anywhere, and first only) and the
// functions, each keyword with its arguments as the table gives them. A
// rule's alternatives group the keywords that take the same arguments, in
// the table's order; lines are at most `width` columns.
std::string LibraryGrammar(size_t width = 68);

// The keywords of one kind, in the table's order.
enum class KeywordKind {
  kAll,        // every keyword, reserved words all
  kItem,       // the output items, anywhere in a WRITE
  kFirstItem,  // the output items that stand only first
  kAnyItem,    // both
};
std::vector<std::string> Keywords(KeywordKind kind);

// "`A`, `B` and `C`", as the handbook's sentences list keywords.
std::string KeywordRun(const std::vector<std::string>& keywords);

}  // namespace handbook
