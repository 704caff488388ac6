// The terminals of the script language and what the grammar derives from
// their rows in terminal_table.h: their numbers, texts and roles, and which
// of them can start a statement, a factor or an output item.
#pragma once

#include <string_view>

#include "interp/terminal_table.h"

namespace orbelin {

enum Tok : int {
#define ORBELIN_TOK(name, text, role, kinds, handler) k##name,
  ORBELIN_TERMINALS(ORBELIN_TOK)
#undef ORBELIN_TOK
};

#define ORBELIN_ONE(name, text, role, kinds, handler) +1
constexpr int kTerminalCount = 0 ORBELIN_TERMINALS(ORBELIN_ONE);
#undef ORBELIN_ONE
// The numbers are part of the language: diagnostics are numbered by them.
static_assert(kVar == 4 && kRot13 == 24 && kEnigmaWheels == 47 && kPi == 54 && kCos == 59 &&
              kSumeyr == 96 && kNoSym == 97 && kPasted == 98);

// What a terminal does in the grammar.
enum class Role {
  kEnd,            // the end of the text
  kName,           // a variable name
  kNumber,         // a number literal
  kString,         // a string literal
  kDeclaration,    // VAR, only at the very start
  kPunctuation,    // , ; ) : =
  kOpenParen,      // ( opens a factor
  kOutput,         // WRITE and ->, the output statement
  kSetting,        // OLAT, OLON, DEBUG, MARGIN: keyword "=" expression
  kStatement,      // a library statement with its argument list
  kBareStatement,  // a library statement without argument list
  kItem,           // a library output item, anywhere in the item list
  kFirstItem,      // a library output item only as the first item
  kOperator,       // + - * / ^ |
  kConstant,       // PI
  kCoordinate,     // a coordinate literal: the degree sign with N, E, S or W, or pasted
  kFunction,       // a numeric function
  kNoSymbol,       // bytes that form no terminal
};

namespace terminal_detail {
inline constexpr std::string_view kTexts[kTerminalCount] = {
#define ORBELIN_TEXT(name, text, role, kinds, handler) text,
    ORBELIN_TERMINALS(ORBELIN_TEXT)
#undef ORBELIN_TEXT
};
inline constexpr Role kRoles[kTerminalCount] = {
#define ORBELIN_ROLE(name, text, role, kinds, handler) Role::role,
    ORBELIN_TERMINALS(ORBELIN_ROLE)
#undef ORBELIN_ROLE
};
}  // namespace terminal_detail

// The text of terminal t as the script writes it (keywords in capitals, the
// degree sign as byte 0xB0); empty for 0 to 3, 97 and numbers out of range.
constexpr std::string_view TerminalText(int t) {
  return t >= 0 && t < kTerminalCount ? terminal_detail::kTexts[t] : std::string_view();
}

constexpr Role TerminalRole(int t) {
  return t >= 0 && t < kTerminalCount ? terminal_detail::kRoles[t] : Role::kNoSymbol;
}

// A keyword is a terminal spelt with letters (and digits after the first).
constexpr bool IsKeyword(int t) {
  const std::string_view text = TerminalText(t);
  return !text.empty() && text[0] >= 'A' && text[0] <= 'Z';
}

// The statement sequence goes on while the lookahead can start a statement.
constexpr bool StartsStatement(int t) {
  switch (TerminalRole(t)) {
    case Role::kName:
    case Role::kOutput:
    case Role::kSetting:
    case Role::kStatement:
    case Role::kBareStatement:
      return true;
    default:
      return false;
  }
}

// A factor: a name, a number, "(", PI, a coordinate literal or a function.
constexpr bool StartsFactor(int t) {
  switch (TerminalRole(t)) {
    case Role::kName:
    case Role::kNumber:
    case Role::kOpenParen:
    case Role::kConstant:
    case Role::kCoordinate:
    case Role::kFunction:
      return true;
    default:
      return false;
  }
}

// An output item: an expression, a string or a library item; after a comma
// the items that must stand first are not allowed.
constexpr bool StartsItem(int t, bool first) {
  const Role role = TerminalRole(t);
  if (role == Role::kFirstItem) return first;
  return role == Role::kString || role == Role::kItem || StartsFactor(t);
}

}  // namespace orbelin
