// A run's errors and warnings as the user reads them: the terminal prints
// them, the window lists them under the results, the page lists them below
// its boxes. The interpreter says what is wrong and what to change (in
// Windows-1252, as it reads the script); this is where that becomes text on
// a screen and a place for the caret.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "frontend/explain.h"

namespace orbelin {

// A place in a box: the 0-based line and the 0-based index of a character
// (a code point) in it.
struct CaretPlace {
  int line = 0;
  int index = 0;
};

struct Diagnostic {
  enum class Kind { kError, kWarning, kNote };
  Kind kind = Kind::kError;
  int line = 0;         // from 1, as the results file counts
  int column = 0;       // from 1, tabs counted to the next tab stop
  int number = 0;       // the error number; 0 for a warning or a note
  std::string message;  // UTF-8, e.g. "\";\" expected (E6)"
  std::string hint;     // UTF-8; "" where the message says it all
  CaretPlace caret;     // where in the box this points

  // "3:1: error: \";\" expected (E6)", the first line every front end shows.
  std::string Headline() const;
  // "error", "warning" or "note".
  const char* KindWord() const;
};

// The diagnostics with the places they point at in `box_text` (UTF-8, "\n"
// line ends; the text the user sees). Linear in the text and the count.
std::vector<Diagnostic> ShowDiagnostics(const std::vector<Explanation>& explanations,
                                        std::string_view box_text);

// Where the caret goes in `box_text` for the interpreter's 1-based line and
// column.
CaretPlace CaretFor(std::string_view box_text, int line, int column);

// Escape sequences around the parts of a terminal report; all empty for
// none.
struct ReportColours {
  const char* bold = "";
  const char* error = "";
  const char* warning = "";
  const char* note = "";
  const char* caret = "";
  const char* hint = "";
  const char* reset = "";
};

// The diagnostics the way compilers print them, in a form editors and make
// understand:
//
//   walk.inp:4:12: error: ";" expected (E6)
//       4 | A = 2 + 3
//         |            ^
//   hint: every statement ends with ';': one is missing at the end of line 3
//
// `name` is how the script is called (its path, "<stdin>", "<command
// line>"), written as it is; `source` is the text that ran, for the line
// under each message. The script's text and the messages are Windows-1252;
// with `utf8` they are converted to UTF-8, else written as they are.
std::string ReportText(std::string_view name, std::string_view source,
                       const std::vector<Explanation>& explanations, bool utf8,
                       const ReportColours& colours = {});

}  // namespace orbelin
