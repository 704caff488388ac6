#include "frontend/hints.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

#include "base/ascii.h"
#include "interp/catalogue.h"
#include "interp/errors.h"
#include "interp/pasted_coordinate.h"
#include "interp/scanner.h"
#include "interp/terminals.h"

namespace orbelin {

namespace {

constexpr size_t kNameChars = Scanner::kNameBytes;  // of a name that count

// The tokens around a place the run pointed at: the one there, the one
// before (as the run's scanner had it) and the one after (scanned again
// from the place). Looking at a few tokens per diagnostic, never at the
// whole text, keeps the cost of explaining in proportion to what is
// explained.
struct Place {
  std::string_view source;
  std::span<const LostCharacter> lost;
  Token t;
  std::optional<Token> prev;
  std::optional<Token> next;

  // `text` ends at the script's NUL (CutAtNul).
  Place(std::string_view text, std::span<const LostCharacter> lost_characters, size_t position,
        int line, const Token& before)
      : source(text), lost(lost_characters) {
    Diagnostics quiet;  // never started: it stores nothing
    Scanner scanner(text, quiet, position, line);
    scanner.NextToken();
    t = scanner.lookahead_token();
    if (t.terminal != kEof) {
      scanner.NextToken();
      next = scanner.lookahead_token();
    }
    if (before.terminal >= 0) prev = before;
  }

  std::string_view Text(const Token& token) const {
    return source.substr(token.position, token.length);
  }
  // The character a '?' at `position` stood for, or 0.
  char32_t LostAt(size_t position) const {
    const auto at =
        std::lower_bound(lost.begin(), lost.end(), position,
                         [](const LostCharacter& c, size_t p) { return c.position < p; });
    return at != lost.end() && at->position == position ? at->character : 0;
  }
  // Whether `b` follows `a` with nothing between them.
  static bool Touch(const Token& a, const Token& b) { return a.position + a.length == b.position; }
};

// "N 48 12.345", "N48.12.345", "N48 12.345": a coordinate as a GPS screen
// shows it, without the degree sign, which the scanner reads as a name and
// numbers. The same coordinate with its sign ("N 48\xB0 12.345"), or "".
std::string WithDegreeSign(const Place& text) {
  const Token& t = text.t;
  if (!text.prev || text.prev->terminal != kIdent) return "";
  const std::string_view name = text.Text(*text.prev);
  const char letter = FoldAscii(name[0]);
  if (letter != 'N' && letter != 'S' && letter != 'E' && letter != 'W') return "";
  const std::string_view digits = name.substr(1);
  if (!std::all_of(digits.begin(), digits.end(), [](char c) { return IsAsciiDigit(c); })) {
    return "";
  }
  const Token* next = text.next ? &*text.next : nullptr;
  std::string degrees(digits);
  std::string minutes;
  if (digits.empty()) {
    // "N 48 12.345": the degrees, then the minutes.
    if (t.terminal != kNumber) return "";
    degrees = text.Text(t);
    if (next && next->terminal == kNumber) minutes = text.Text(*next);
  } else if (t.terminal == kNumber) {
    // "N48 12.345"
    minutes = text.Text(t);
  } else if (t.terminal == kNoSym && text.Text(t) == "." && next && next->terminal == kNumber &&
             Place::Touch(t, *next)) {
    // "N48.12.345" holds degrees and minutes, "N48.2058" decimal degrees.
    const std::string_view after = text.Text(*next);
    if (after.find('.') == std::string_view::npos) {
      degrees += "." + std::string(after);
    } else {
      minutes = after;
    }
  } else {
    return "";
  }
  return std::string(1, letter) + " " + degrees + "\xB0" + (minutes.empty() ? "" : " " + minutes);
}

// The tokens from `position` up to `end`, scanned again: a pasted
// coordinate followed at once by a comma and digits is a decimal comma
// ("N 48\xB0 12,345"). The hint for it, or "".
std::string DecimalCommaIn(std::string_view text, size_t position, int line, size_t end) {
  Diagnostics quiet;  // never started: it stores nothing
  Scanner scanner(text, quiet, position, line);
  scanner.NextToken();
  Token before;
  Token last;
  for (int i = 0; i < 64 && scanner.lookahead() != kEof; ++i) {
    const Token& t = scanner.lookahead_token();
    if (t.position > end) break;
    if (last.terminal == kComma && before.terminal == kPasted && t.terminal == kNumber &&
        Place::Touch(before, last) && Place::Touch(last, t)) {
      const std::string coordinate(text.substr(before.position, before.length));
      const std::string decimals(text.substr(t.position, t.length));
      return "the minutes of a coordinate take a decimal point: " + coordinate + "." + decimals +
             ", not " + coordinate + "," + decimals;
    }
    before = last;
    last = t;
    scanner.NextToken();
  }
  return "";
}

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

// The keyword nearest to a name, when a slip of one or two letters away.
std::string NearestKeyword(std::string_view name) {
  std::string folded;
  for (char c : name) folded += FoldAscii(c);
  std::string best;
  size_t best_distance = 3;
  for (int t = 0; t < kTerminalCount; ++t) {
    if (!IsKeyword(t)) continue;
    const std::string_view word = TerminalText(t);
    // Edit distance by the usual two rows.
    std::vector<size_t> prev(word.size() + 1), row(word.size() + 1);
    for (size_t j = 0; j <= word.size(); ++j) prev[j] = j;
    for (size_t i = 1; i <= folded.size(); ++i) {
      row[0] = i;
      for (size_t j = 1; j <= word.size(); ++j) {
        const size_t change = prev[j - 1] + (folded[i - 1] == word[j - 1] ? 0 : 1);
        row[j] = std::min({prev[j] + 1, row[j - 1] + 1, change});
      }
      std::swap(prev, row);
    }
    const size_t distance = prev[word.size()];
    const size_t allowed = folded.size() >= 5 ? 2 : 1;
    if (folded.size() >= 3 && distance <= allowed && distance < best_distance) {
      best_distance = distance;
      best = word;
    }
  }
  return best;
}

// Words of other languages that Orbelin has no use for, and what to write
// instead. Orbelin runs each statement once, from the top down.
std::string HintForForeignWord(std::string_view folded) {
  static constexpr std::string_view kConditions[] = {"IF",    "THEN", "ELSE", "ELSIF", "ELSEIF",
                                                     "ENDIF", "END",  "CASE", "SWITCH"};
  static constexpr std::string_view kLoops[] = {"FOR",  "TO",     "NEXT",  "WHILE", "DO",
                                                "LOOP", "REPEAT", "UNTIL", "GOTO",  "WEND"};
  for (std::string_view w : kConditions) {
    if (folded == w) {
      return std::string(folded) +
             ": Orbelin has no conditions (no IF, THEN or ELSE): a script runs each statement "
             "once, from the top down. Compute each case in its own lines, or run the script "
             "again with other values (the handbook's page \"What Orbelin does not have\")";
    }
  }
  for (std::string_view w : kLoops) {
    if (folded == w) {
      return std::string(folded) +
             ": Orbelin has no loops (no FOR, WHILE or REPEAT): a script runs each statement "
             "once, from the top down. Write the steps out, or run the script once for each "
             "value (the handbook's page \"What Orbelin does not have\")";
    }
  }
  if (folded == "PRINT" || folded == "OUTPUT" || folded == "ECHO" || folded == "PUT") {
    return "output is written with WRITE, as in WRITE 'A = ', A;";
  }
  return "";
}

// How many arguments a call's kinds ask for, in words: "a number", "4
// numbers, then 2 names that receive its results", "a text in quotes".
std::string ArgumentsInWords(std::string_view kinds) {
  struct Run {
    char kind;
    int count;
  };
  std::vector<Run> runs;
  for (size_t i = 0; i < kinds.size(); ++i) {
    const char k = kinds[i];
    if (k != 'N' && k != 'S' && k != 'V') continue;
    if (!runs.empty() && runs.back().kind == k) {
      ++runs.back().count;
    } else {
      runs.push_back({k, 1});
    }
  }
  std::string words;
  for (size_t i = 0; i < runs.size(); ++i) {
    const Run& r = runs[i];
    if (i > 0) words += i + 1 == runs.size() ? ", then " : ", ";
    const bool one = r.count == 1;
    words += one ? "a" : std::to_string(r.count);
    switch (r.kind) {
      case 'N':
        words += one ? " number" : " numbers";
        break;
      case 'S':
        words += one ? " text in quotes" : " texts in quotes";
        break;
      default:
        words += one ? " name that receives a result" : " names that receive its results";
        break;
    }
  }
  return words;
}

int ArgumentCount(std::string_view kinds) {
  return static_cast<int>(std::count_if(kinds.begin(), kinds.end(),
                                        [](char k) { return k == 'N' || k == 'S' || k == 'V'; }));
}

// The kind letter of argument `n` (from 1) of a call, or 0.
char ArgumentKind(std::string_view kinds, int n) {
  for (char k : kinds) {
    if ((k == 'N' || k == 'S' || k == 'V') && --n == 0) return k;
  }
  return 0;
}

std::string Ordinal(int n) {
  const int tens = n % 100;
  const char* suffix = (tens >= 11 && tens <= 13) ? "th"
                       : n % 10 == 1              ? "st"
                       : n % 10 == 2              ? "nd"
                       : n % 10 == 3              ? "rd"
                                                  : "th";
  return std::to_string(n) + suffix;
}

std::string Where(const SourceLocation& at) {
  return "line " + std::to_string(at.line) + ", column " + std::to_string(at.column);
}

// The bracket and comma errors: which call, which argument, which bracket.
std::string HintForBrackets(const Place& text, const ErrorRecord& e) {
  const Token& t = text.t;
  const CallSite& site = e.site;
  const bool call = site.terminal >= 0 && site.terminal != kLParen;
  const std::string keyword = call ? std::string(TerminalText(site.terminal)) : "";
  const std::string_view kinds = call ? CallFormOf(site.terminal).kinds : "";
  const int count = ArgumentCount(kinds);
  const std::string takes = keyword + " takes " +
                            (count == 1 ? "one argument" : std::to_string(count) + " arguments") +
                            " (" + ArgumentsInWords(kinds) + ")";
  switch (e.number) {
    case kLParen:
      if (call && site.argument == 0) {
        if (count == 1) {
          return keyword + " takes its argument in brackets, as in " + keyword +
                 (ArgumentKind(kinds, 1) == 'S' ? "('TEXT')" : "(x)");
        }
        return keyword + " takes its arguments in brackets, as in " + keyword +
               "(...): " + ArgumentsInWords(kinds);
      }
      return "";
    case kComma:
      if (!call) return "";
      if (t.terminal == kRParen && site.argument < count) {
        return takes + ": only " + std::to_string(site.argument) + " " +
               (site.argument == 1 ? "is" : "are") + " given";
      }
      if (ArgumentKind(kinds, site.argument) == 'V') {
        return "the " + Ordinal(site.argument) + " argument of " + keyword +
               " is a name that receives a result: write the name alone, not an expression";
      }
      return "the arguments of " + keyword + " are separated by commas: one is missing here";
    case kRParen:
      if (call && t.terminal == kComma) return takes + ": this is one too many";
      if (site.terminal >= 0 && site.opened.line > 0) {
        return "the '(' " + (call ? "of " + keyword + " " : std::string()) + "in " +
               Where(site.opened) + " is never closed: a ')' is missing here";
      }
      return "";
    default:
      return "";
  }
}

// What the token at an error itself tells, whatever the error's number: the
// slips people make with other languages' habits.
std::string HintForToken(const Place& text) {
  const Token& t = text.t;
  const std::string_view s = text.Text(t);
  const Token* prev = text.prev ? &*text.prev : nullptr;
  const Token* next = text.next ? &*text.next : nullptr;
  const bool touches_prev = prev != nullptr && prev->position + prev->length == t.position;
  const bool after_coordinate = touches_prev && prev->terminal == kPasted;
  if (t.terminal == kNoSym) {
    // A minute or second mark that is not ' or ": web pages write the
    // prime signs, phones a curly quote or an accent.
    const char32_t lost = s == "?" ? text.LostAt(t.position) : 0;
    const bool prime = lost == U'\u2032' || lost == U'\u2033';
    const bool look_alike = s == "\x92" || s == "\x94" || s == "\xB4" || s == "\x93";
    if (prime || (after_coordinate && look_alike)) {
      return "minutes are marked with ' and seconds with \" (the keyboard's apostrophe and "
             "double quote), not with " +
             (prime ? std::string(lost == U'\u2032' ? "the prime sign" : "the double prime sign")
                    : "this look-alike") +
             ": N 48\xB0 12' 20.7\"";
    }
    if (lost != 0) {
      char code[16];
      std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(lost));
      return std::string("this ? was the character ") + code +
             ", which a script cannot hold: script files are Windows-1252, which has no such "
             "character. Write it otherwise";
    }
    if (s == "\xA0") {
      return "this is a no-break space, as web pages put between words: write an ordinary "
             "blank in its place";
    }
    if (s == "\t") return "a tab is not allowed outside a text in quotes: indent with blanks";
    if (s == "\"") return "texts are written in single quotes: 'like this', not \"like this\"";
    if (s[0] == '\'') {
      return "this text is never closed: a text ends with ' on the same line (a text cannot "
             "hold the ' itself)";
    }
    if (s == "#") {
      return "# does not start a comment: comments are -- to the end of the line, (* ... *) "
             "or { ... }";
    }
    if (s == "_" && touches_prev && prev->terminal == kIdent) {
      return "names are letters and digits only: write " + std::string(text.Text(*prev)) +
             " without the underscore, e.g. MYNAME or MYNAME2";
    }
    if (s == "." && next != nullptr && next->terminal == kNumber &&
        next->position == t.position + 1) {
      return "a number cannot start with a point: write 0" + std::string(s) +
             std::string(text.Text(*next));
    }
    if (s.size() > 1 && s.back() == '.' && IsAsciiDigit(s[0])) {
      return "a number needs a digit after its point: write " +
             std::string(s.substr(0, s.size() - 1)) + " or " + std::string(s) + "0";
    }
    if (s == "\xB0") {
      return "a coordinate is written as \xB0N, \xB0S, \xB0"
             "E or \xB0W followed by degrees and "
             "minutes, e.g. \xB0N 48 12.345";
    }
    if (s == "\xBA") {
      return "\xBA is the ordinal sign, not the degree sign: write \xB0 (phone keyboards put "
             "both side by side), as in \xB0N 48 12.345";
    }
    if (s == "<" || s == ">" || s == "!") {
      return "Orbelin has no comparisons: a script runs each statement once, from the top down, "
             "so there is no condition to test (the handbook's page \"What Orbelin does not "
             "have\")";
    }
    if (s == "%") return "there is no % operator: FMOD(a, b) gives the remainder of a / b";
    if (s == "\xB4") {
      return "\xB4 is an accent, not an apostrophe: texts are written between straight "
             "apostrophes, 'like this'";
    }
    if (s == "\x91" || s == "\x92" || s == "\x93" || s == "\x94") {
      return "texts are written between straight apostrophes, 'like this': a phone's "
             "keyboard may have typed a curly quote (\x91 \x92 \x93 \x94) in their place";
    }
    if (s == "\x96" || s == "\x97") {
      return "a comment starts with two hyphens, --: a keyboard may have made them a dash";
    }
  }
  if (t.terminal == kSlash && next != nullptr && next->terminal == kSlash &&
      next->position == t.position + 1) {
    return "// does not start a comment: comments are -- to the end of the line, (* ... *) or "
           "{ ... }";
  }
  if (t.terminal == kStar && prev != nullptr && prev->terminal == kStar && touches_prev) {
    return "there is no ** operator: powers are written with ^, as in 2 ^ 3";
  }
  if (t.terminal == kString && prev != nullptr && prev->terminal == kString && touches_prev) {
    return "a text cannot hold the ' itself: '' ends one text and starts the next. Leave the "
           "apostrophe out, or write it with CHAR(39): WRITE 'It', CHAR(39), 's';";
  }
  if (t.terminal == kIdent && prev != nullptr &&
      (prev->terminal == kNumber || prev->terminal == kIdent || prev->terminal == kRParen)) {
    std::string folded;
    for (char c : s) folded += FoldAscii(c);
    if (folded == "MOD") {
      const bool operands = prev->terminal != kRParen && next != nullptr &&
                            (next->terminal == kNumber || next->terminal == kIdent);
      return "there is no MOD operator: FMOD(a, b) gives the remainder of a / b" +
             (operands ? ", as in FMOD(" + std::string(text.Text(*prev)) + ", " +
                             std::string(text.Text(*next)) + ")"
                       : std::string());
    }
    if (folded == "DIV") {
      return "there is no DIV operator: FLOOR(a / b) gives the whole part of a / b";
    }
  }
  if (t.terminal == kComma && after_coordinate && next != nullptr && next->terminal == kNumber &&
      next->position == t.position + 1) {
    return "the minutes of a coordinate take a decimal point: " + std::string(text.Text(*prev)) +
           "." + std::string(text.Text(*next)) + ", not " + std::string(text.Text(*prev)) + "," +
           std::string(text.Text(*next));
  }
  if (t.terminal == kComma && prev != nullptr && prev->terminal == kNumber && next != nullptr &&
      next->terminal == kNumber && touches_prev && next->position == t.position + 1) {
    return "numbers are written with a decimal point: " + std::string(text.Text(*prev)) + "." +
           std::string(text.Text(*next)) + ", not " + std::string(text.Text(*prev)) + "," +
           std::string(text.Text(*next));
  }
  if (t.terminal == kIdent && prev != nullptr && prev->terminal == kNumber && touches_prev &&
      (s[0] == 'e' || s[0] == 'E') && s.size() > 1 &&
      std::all_of(s.begin() + 1, s.end(), [](char c) { return IsAsciiDigit(c); })) {
    return "numbers have no exponent: write " + std::string(text.Text(*prev)) + std::string(s) +
           " in digits, or as a product such as " + std::string(text.Text(*prev)) + " * 10 ^ " +
           std::string(s.substr(1));
  }
  return "";
}

// What a statement cannot start with, for the end-of-text and statement
// errors.
std::string HintForStatementStart(const Place& text) {
  const Token& t = text.t;
  const std::string_view s = text.Text(t);
  switch (TerminalRole(t.terminal)) {
    case Role::kDeclaration:
      return "VAR may stand only once, at the very start: declare every name in that one line";
    case Role::kItem:
    case Role::kFirstItem:
      return std::string(s) + " is an output item: write it in a WRITE statement, as in WRITE " +
             std::string(TerminalText(t.terminal)) + "(...);";
    case Role::kFunction:
      return std::string(s) +
             " gives a number: use it in an assignment or a WRITE, as in "
             "WRITE " +
             std::string(TerminalText(t.terminal)) + "(...);";
    case Role::kNumber:
    case Role::kString:
    case Role::kConstant:
    case Role::kCoordinate:
      return "a statement cannot start with " + Quoted(s) +
             ": write it in a WRITE, or assign it to a name";
    default:
      return "";
  }
}

// A coordinate pasted from a cache page: the pair needs a comma between its
// halves, and a coordinate with a fault after its degree sign says which.
std::string HintForPastedCoordinate(const Place& text) {
  const Token& t = text.t;
  const Token* prev = text.prev ? &*text.prev : nullptr;
  if (t.terminal == kPasted && prev != nullptr &&
      TerminalRole(prev->terminal) == Role::kCoordinate) {
    return "a latitude and a longitude are two numbers: put a comma between them, as in " +
           std::string(text.Text(*prev)) + ", " + std::string(text.Text(t));
  }
  if (t.terminal == kNoSym) {
    const PastedCoordinate c = ReadPastedCoordinate(text.source, t.position);
    if (c.kind == PastedCoordinate::Kind::kMalformed) {
      return Quoted(text.Text(t)) + " is no coordinate: " + c.fault;
    }
  }
  // "N 48 12.345": a coordinate without its degree sign is a name and numbers.
  if (const std::string coordinate = WithDegreeSign(text); !coordinate.empty()) {
    return "if this is a coordinate, the degree sign follows the degrees: " + coordinate;
  }
  return "";
}

std::string HintFor(const Place& text, const ErrorRecord& e) {
  const Token& t = text.t;
  const std::string_view s = text.Text(t);
  const Token* prev = text.prev ? &*text.prev : nullptr;

  // A coordinate gone wrong says so before the token's own slips: "N48.12"
  // is a coordinate without its degree sign, not a number without its 0.
  std::string hint = HintForPastedCoordinate(text);
  if (hint.empty()) hint = HintForToken(text);
  switch (e.number) {
    case kErrEofExpected:
      if (hint.empty()) hint = HintForStatementStart(text);
      if (hint.empty()) hint = "this cannot start a statement";
      return hint + "; the rest of the script was not run";
    case kErrStatementStart:
      if (hint.empty()) hint = HintForStatementStart(text);
      if (hint.empty() && t.terminal == kEof) {
        return "the script is empty: write at least one statement, such as WRITE 'Hello';";
      }
      return hint;
    case kErrFactorStart:
      if (!hint.empty()) return hint;
      if (TerminalRole(t.terminal) == Role::kItem || TerminalRole(t.terminal) == Role::kFirstItem) {
        return std::string(s) +
               " is an output item: it writes text and gives no number. Write it in a WRITE, "
               "as in WRITE " +
               std::string(TerminalText(t.terminal)) + "(...);";
      }
      if (TerminalRole(t.terminal) == Role::kStatement ||
          TerminalRole(t.terminal) == Role::kBareStatement) {
        return std::string(s) +
               " is a statement: it stands on its own and stores its results in the names "
               "given to it, as the reference's entry for " +
               std::string(TerminalText(t.terminal)) + " shows";
      }
      if (t.terminal == kMinus) {
        return "there is no minus sign before a number: write 0 - 5, or \xB0S and \xB0W for "
               "southern and western coordinates";
      }
      if (t.terminal == kPlus) return "there is no plus sign before a number: leave it out";
      if (t.terminal == kString) return "a text cannot be used in a calculation";
      if (t.terminal == kEof || t.terminal == kSemicolon || t.terminal == kRParen) {
        return "a number, a name or a function is missing here";
      }
      return "";
    case kErrItemAfterComma:
      if (TerminalRole(t.terminal) == Role::kFirstItem) {
        return std::string(s) +
               " can only be the first item of a WRITE: give it a WRITE of its own";
      }
      return hint.empty() ? "this cannot be an item of WRITE" : hint;
    case kErrIdentExpected:
      if (IsKeyword(t.terminal)) {
        return std::string(s) + " is a keyword and cannot be a name: choose another name";
      }
      if (hint.empty() && e.site.terminal >= 0 && e.site.opened.line > 0) {
        hint = DecimalCommaIn(text.source, e.site.opened.position, e.site.opened.line, t.position);
      }
      return hint;
    case kErrNumberExpected:
      if (!hint.empty()) return hint;
      if (prev != nullptr && prev->terminal == kColon) {
        return "the decimals after ':' are a number such as 2, not a name or an expression";
      }
      return "degrees and minutes of a coordinate are numbers, as in \xB0N 48 12.345";
    case kErrStringExpected:
      return hint.empty() ? "a text in single quotes is expected here, such as 'ABC'" : hint;
    case kErrDuplicateName:
      if (prev != nullptr && prev->terminal == kIdent) {
        const std::string name(text.Text(*prev));
        return name + " is already declared" +
               (name.size() > kNameChars ? " (only the first 19 characters of a name count)" : "") +
               "; GM1, GM2 and GM3 always are";
      }
      return "";
    case kErrUnknownName:
      if (!hint.empty()) return hint;
      if (prev != nullptr && prev->terminal == kIdent) {
        std::string folded;
        for (char c : text.Text(*prev)) folded += FoldAscii(c);
        if (std::string foreign = HintForForeignWord(folded); !foreign.empty()) return foreign;
        const std::string name(text.Text(*prev));
        std::string h = name +
                        " is not declared: names are declared in the one VAR line at the "
                        "top, as in VAR " +
                        name + ";";
        const std::string keyword = NearestKeyword(name);
        if (!keyword.empty()) h += " (or did you mean " + keyword + "?)";
        return h;
      }
      return "";
    case kErrUnsolvable:
      return "the three equations have no single solution (their determinant is 0, or within "
             "0.000001 of it); the three variables keep their values";
    case kErrTooManyWheels:
      return "ENIGMAINIT: the first text (the wheels) has at most 6 letters";
    case kErrRingsNotAsLong:
      return "ENIGMAINIT: the second text (the ring letters) needs one letter for each letter of "
             "the first text (the wheels)";
    case kErrOddPlugs:
      return "ENIGMAINIT: the fourth text (the plugboard) is pairs of letters, so its length "
             "must be even";
    case kErrBadWheelLetter:
      return "ENIGMAINIT: each letter of the first text (the wheels) is A to V; ENIGMAINFO lists "
             "them";
    case kErrBadRingLetter:
      return "ENIGMAINIT: each letter of the second text (the ring letters) must be A to Z "
             "(the message says Stellung, but it is the second text)";
    case kErrBadWindowLetter:
      return "ENIGMAINIT: the third text (the window letters) needs a letter A to Z for each "
             "wheel (the message says Preset, but it is the third text)";
    case kLParen:
    case kComma:
    case kRParen:
      if (!hint.empty()) return hint;
      if (e.site.terminal >= 0 && e.site.opened.line > 0) {
        hint = DecimalCommaIn(text.source, e.site.opened.position, e.site.opened.line, t.position);
        if (!hint.empty()) return hint;
      }
      return HintForBrackets(text, e);
    case kEquals:
      if (!hint.empty()) return hint;
      if (prev != nullptr && TerminalRole(prev->terminal) == Role::kSetting) {
        const std::string_view word = TerminalText(prev->terminal);
        return std::string(word) + " is set with '=', as in " + std::string(word) + " = " +
               (prev->terminal == kMargin  ? "40"
                : prev->terminal == kDebug ? "1"
                                           : "48.2") +
               ";";
      }
      if (prev != nullptr && prev->terminal == kIdent) {
        return "a value is given to a name with '=', as in " + std::string(text.Text(*prev)) +
               " = 5;";
      }
      return "";
    case kSemicolon:
      if (!hint.empty()) return hint;
      if (prev != nullptr && t.location.line > prev->location.line) {
        return "every statement ends with ';': one is missing at the end of line " +
               std::to_string(prev->location.line);
      }
      if (t.terminal == kEof) return "every statement ends with ';': one is missing at the end";
      return "every statement ends with ';'";
    default:
      return hint;
  }
}
}  // namespace

std::string HintForError(std::string_view text, const ErrorRecord& error,
                         std::span<const LostCharacter> lost) {
  if (!error.detail.empty()) return error.detail;
  return HintFor(Place(text, lost, error.position, error.line, error.before), error);
}

std::string HintForStop(std::string_view text, const RunResult& run,
                        std::span<const LostCharacter> lost) {
  return HintForToken(Place(text, lost, run.stop.position, run.stop.line, run.stop_before));
}

}  // namespace orbelin
