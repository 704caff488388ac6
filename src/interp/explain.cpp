#include "interp/explain.h"

#include <algorithm>
#include <optional>

#include "base/ascii.h"
#include "base/source_text.h"
#include "interp/errors.h"
#include "interp/scanner.h"
#include "interp/terminals.h"

namespace orbelin {

namespace {

constexpr size_t kNumberChars = Scanner::kNumberBytes;  // of a number literal that count
constexpr size_t kNameChars = Scanner::kNameBytes;      // of a name that count
constexpr size_t kStringBytes = Scanner::kStringBytes;  // of a string literal's text

// The tokens around a place the run pointed at: the one there, the one
// before (as the run's scanner had it) and the one after (scanned again
// from the place). Looking at a few tokens per diagnostic, never at the
// whole text, keeps the cost of explaining in proportion to what is
// explained.
struct Place {
  std::string_view source;
  Token t;
  std::optional<Token> prev;
  std::optional<Token> next;

  // `text` ends at the script's NUL (CutAtNul).
  Place(std::string_view text, size_t position, int line, const Token& before) : source(text) {
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
};

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

// What the token at an error itself tells, whatever the error's number: the
// slips people make with other languages' habits.
std::string HintForToken(const Place& text) {
  const Token& t = text.t;
  const std::string_view s = text.Text(t);
  const Token* prev = text.prev ? &*text.prev : nullptr;
  const Token* next = text.next ? &*text.next : nullptr;
  const bool touches_prev = prev != nullptr && prev->position + prev->length == t.position;
  if (t.terminal == kNoSym) {
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
  }
  if (t.terminal == kSlash && next != nullptr && next->terminal == kSlash &&
      next->position == t.position + 1) {
    return "// does not start a comment: comments are -- to the end of the line, (* ... *) or "
           "{ ... }";
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

std::string HintForError(const Place& text, const ErrorRecord& e) {
  const Token& t = text.t;
  const std::string_view s = text.Text(t);
  const Token* prev = text.prev ? &*text.prev : nullptr;

  std::string hint = HintForToken(text);
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
      if (prev != nullptr && prev->terminal == kIdent) {
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

std::string MessageOf(int number) {
  return MessageText(number) + " (E" + std::to_string(number) + ")";
}

// Where a byte of the text stands, as the scanner counts lines and columns.
SourceLocation LocationOf(std::string_view source, size_t position) {
  SourceLocation at{1, 1, position};
  for (size_t i = 0; i < position && i < source.size(); ++i) {
    if (source[i] == '\n') {
      ++at.line;
      at.column = 1;
    } else {
      at.column = source[i] == '\t' ? ColumnAfterTab(at.column) : at.column + 1;
    }
  }
  return at;
}

// What the language cuts without a word, as the run's scan met it.
std::vector<Explanation> Warnings(std::string_view source, const RunResult& result) {
  std::vector<Explanation> warnings;
  auto warn = [&](const SourceLocation& at, std::string message) {
    Explanation w;
    w.kind = Explanation::Kind::kWarning;
    w.line = at.line;
    w.column = at.column;
    w.message = std::move(message);
    warnings.push_back(std::move(w));
  };
  for (const Token& t : result.cut_tokens) {
    const std::string_view s = source.substr(t.position, t.length);
    if (t.terminal == kNumber) {
      warn(t.location, "only the first 19 characters of a number count: " + std::string(s) +
                           " is read as " + std::string(s.substr(0, kNumberChars)));
    } else if (t.terminal == kString) {
      warn(t.location, "a text holds at most 253 characters: the last " +
                           std::to_string(s.size() - 2 - kStringBytes) + " of this one are cut");
    } else {
      warn(t.location, "only the first 19 characters of a name count: " + std::string(s) +
                           " is the name " + std::string(s.substr(0, kNameChars)));
    }
  }
  if (result.unclosed_comment) {
    warn(*result.unclosed_comment, "this comment is never closed: everything after it is ignored");
  }
  // A NUL byte ends the text. The window saves one at the very end, which
  // hides nothing; anything else after it is never run.
  if (result.nul_position != std::string::npos) {
    warn(LocationOf(source, result.nul_position),
         "the script ends at a NUL byte here: the " +
             std::to_string(source.size() - result.nul_position - 1) + " bytes after it are not run");
  }
  return warnings;
}

}  // namespace

std::vector<Explanation> Explain(std::string_view source, const RunResult& result) {
  // A clean run that met nothing to warn of pays nothing here.
  if (result.quiet()) return {};
  const std::string_view text = CutAtNul(source);
  std::vector<Explanation> all;
  bool stop_reported = false;
  for (const ErrorRecord& e : result.errors) {
    if (e.number == kErrEofExpected && e.position == result.stop.position) stop_reported = true;
    Explanation x;
    x.line = e.line;
    x.column = e.column;
    x.number = e.number;
    x.message = MessageOf(e.number);
    x.hint = HintForError(Place(text, e.position, e.line, e.before), e);
    all.push_back(std::move(x));
  }
  for (Explanation& w : Warnings(source, result)) all.push_back(std::move(w));
  for (const RunNote& n : result.notes) {
    Explanation x;
    x.kind = n.kind == RunNote::Kind::kWarning ? Explanation::Kind::kWarning
                                               : Explanation::Kind::kNote;
    x.line = n.at.line;
    x.column = n.at.column;
    x.message = n.message;
    x.hint = n.hint;
    all.push_back(std::move(x));
  }
  if (result.stopped_early && !stop_reported) {
    Explanation w;
    w.kind = Explanation::Kind::kWarning;
    w.line = result.stop.line;
    w.column = result.stop.column;
    w.message = "the script stopped here: the rest was not run";
    // The error reported at the same place already says what is wrong.
    const bool explained =
        std::any_of(result.errors.begin(), result.errors.end(),
                    [&](const ErrorRecord& e) { return e.position == result.stop.position; });
    if (!explained) {
      w.hint = HintForToken(
          Place(text, result.stop.position, result.stop.line, result.stop_before));
    }
    all.push_back(std::move(w));
  }
  std::stable_sort(all.begin(), all.end(), [](const Explanation& a, const Explanation& b) {
    return a.line != b.line ? a.line < b.line : a.column < b.column;
  });
  return all;
}

}  // namespace orbelin
