// Calc: the box is saved, its file runs in the window's session, and the
// results box shows the results or the listing with each diagnostic.
#include <algorithm>
#include <optional>
#include <utility>

#include "frontend/calc.h"
#include "frontend/file_io.h"
#include "frontend/script_bytes.h"
#include "frontend/script_file_calc.h"
#include "window/file_messages.h"
#include "window/window_controller.h"

namespace orbelin {

void WindowController::Calc() {
  if (script_path_.empty()) {
    // A script runs from its file: the way to one is offered at once.
    const Question question{
        "Erst speichern: a script runs from its file, so it must be saved first.", "Save As…", "",
        false};
    if (platform_.Ask(question) != Answer::kYes || SaveAs() != SaveOutcome::kSaved) return;
  }
  // The run reads the file: when the box's text did not get there, the old
  // text must not run in its place. The text is read and converted once,
  // and what runs is what was saved.
  Script script = TakeScript();
  std::error_code error;
  switch (WriteScript(script_path_, script, &error)) {
    case SaveOutcome::kSaved:
      break;
    case SaveOutcome::kDeclined:
      return;
    case SaveOutcome::kFailed:
      platform_.ShowError(CouldNot("save", script_path_, error));
      return;
  }
  BuildFileNames();
  const FileCalc calc =
      CalcSavedScript(session_, names_, std::move(script.bytes), std::move(script.lost));
  if (!calc.ran()) {
    platform_.ShowError(calc.Problem(names_));
    return;
  }
  const CalcView& view = calc.view;
  ShowCalc(view.ShownText(), view.Diagnostics(script.text));
  if (const std::string problem = calc.Problem(names_); !problem.empty()) {
    platform_.ShowError(problem);
  }
  if (const std::string problem = calc.ListingProblem(names_); !problem.empty()) {
    platform_.ShowError(problem);
  }
  if (!view.has_errors()) return;
  platform_.ShowError(kCompilationErrors);
  const CaretPlace caret = *view.ErrorCaret(script.text);
  platform_.PlaceCaret(Box::kScript, caret.line, caret.index);
}

// The results box: the results or the listing, as the file holds them, and
// below them what the terminal would say of the run: each error and warning
// with its hint. Those lines are the box's alone, never the file's.
void WindowController::ShowCalc(const std::string& shown, std::vector<Diagnostic> diagnostics) {
  std::string text = shown;
  shown_diagnostics_.clear();
  if (!diagnostics.empty()) {
    if (!text.empty() && text.back() != '\n') text += '\n';
    text += '\n';
    int line = static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    for (Diagnostic& d : diagnostics) {
      text += d.Headline() + '\n';
      const int first = line++;
      if (!d.hint.empty()) {
        text += "  hint: " + d.hint + '\n';
        ++line;
      }
      shown_diagnostics_.push_back({first, line, d.caret});
    }
  }
  platform_.SetBoxText(Box::kResults, text);
}

void WindowController::ResultsLineActivated(int line) {
  for (const ShownDiagnostic& d : shown_diagnostics_) {
    if (line >= d.first_line && line < d.end_line) {
      platform_.PlaceCaret(Box::kScript, d.caret.line, d.caret.index);
      return;
    }
  }
}

// The results box takes the results file; without one it is emptied, as
// another script's results under this one would be read as its own.
void WindowController::ShowResults() {
  BuildFileNames();
  const std::optional<std::string> bytes = ReadWholeFile(names_.results);
  ShowCalc(bytes ? BoxTextFromFile(*bytes) : "", {});
}

}  // namespace orbelin
