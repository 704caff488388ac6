#include "frontend/explain.h"

#include <algorithm>

#include "base/source_text.h"
#include "frontend/hints.h"
#include "interp/diagnostics.h"
#include "interp/errors.h"
#include "interp/scanner.h"
#include "interp/terminals.h"

namespace orbelin {

namespace {

constexpr size_t kNumberChars = Scanner::kNumberBytes;  // of a number literal that count
constexpr size_t kNameChars = Scanner::kNameBytes;      // of a name that count
constexpr size_t kStringBytes = Scanner::kStringBytes;  // of a string literal's text

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
             std::to_string(source.size() - result.nul_position - 1) +
             " bytes after it are not run");
  }
  return warnings;
}

}  // namespace

std::vector<Explanation> Explain(std::string_view source, const RunResult& result,
                                 std::span<const LostCharacter> lost) {
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
    x.hint = HintForError(text, e, lost);
    all.push_back(std::move(x));
  }
  for (Explanation& w : Warnings(source, result)) all.push_back(std::move(w));
  for (const RunNote& n : result.notes) {
    Explanation x;
    x.kind =
        n.kind == RunNote::Kind::kWarning ? Explanation::Kind::kWarning : Explanation::Kind::kNote;
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
      w.hint = HintForStop(text, result, lost);
    }
    all.push_back(std::move(w));
  }
  std::stable_sort(all.begin(), all.end(), [](const Explanation& a, const Explanation& b) {
    return a.line != b.line ? a.line < b.line : a.column < b.column;
  });
  return all;
}

}  // namespace orbelin
