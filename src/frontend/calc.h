// Calc: from a script's text to what the user sees. Every front end runs a
// script through here and only shows what comes back: the results, or after
// errors the listing; the caret at the last error; the errors and warnings
// with their hints.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/diagnostic.h"
#include "frontend/explain.h"
#include "frontend/lost_characters.h"
#include "frontend/script_bytes.h"
#include "interp/run_result.h"
#include "interp/session.h"

namespace orbelin {

// The window's message after a run with errors, worded as Orbelin has
// always worded it.
inline constexpr const char* kCompilationErrors = "Compilation errors\n";

struct CalcView {
  std::string source;  // the text that ran (Windows-1252)
  RunResult run;       // the files' bytes, the errors, the point
  // Bytes of a script read as UTF-8 that were no UTF-8 (they ran as '?'):
  // a warning among the explanations.
  Utf8Damage utf8_damage;
  // The characters that became '?' in `source` when it was made from
  // UTF-8, for the hints that name them.
  std::vector<LostCharacter> lost;

  bool has_errors() const { return !run.clean(); }
  // The errors in the order of their places in the text, and the warnings
  // about what the language cuts without a word, with their hints. Found
  // when first asked for: a run whose text nobody shows pays nothing.
  const std::vector<Explanation>& explanations() const;
  // The results box's text (UTF-8, "\n" line ends): the results, or the
  // listing after errors, as the window shows the file it reads.
  std::string ShownText() const;
  // The diagnostics pointing into the box that holds `box_text`.
  std::vector<Diagnostic> Diagnostics(std::string_view box_text) const;
  // Where Calc puts the caret after errors: at the last error recorded.
  std::optional<CaretPlace> ErrorCaret(std::string_view box_text) const;

 private:
  mutable std::optional<std::vector<Explanation>> explanations_;
};

// The warning for bytes of a script read as UTF-8 that were no UTF-8, at the
// first of them, with how many there were.
Explanation Utf8Warning(const Utf8Damage& damage);

// Runs a text in the session as it stands (Windows-1252 bytes); `damage`
// and `lost` are what decoding its file changed (DecodeScript).
CalcView CalcSource(Session& session, std::string source, Utf8Damage damage = {},
                    std::vector<LostCharacter> lost = {});

// Runs the text of a box (UTF-8, "\n" line ends) as the bytes it is saved
// as: Windows-1252 with CR LF line ends and the closing NUL.
CalcView CalcBox(Session& session, std::string_view box_text);

}  // namespace orbelin
