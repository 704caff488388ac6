#include "frontend/calc.h"

#include <utility>

#include "frontend/script_bytes.h"

namespace orbelin {

std::string CalcView::ShownText() const {
  return BoxTextFromFile(has_errors() ? run.listing : run.results);
}

const std::vector<Explanation>& CalcView::explanations() const {
  if (!explanations_) explanations_ = Explain(source, run, lost);
  return *explanations_;
}

std::vector<Diagnostic> CalcView::Diagnostics(std::string_view box_text) const {
  return ShowDiagnostics(explanations(), box_text);
}

std::optional<CaretPlace> CalcView::ErrorCaret(std::string_view box_text) const {
  if (run.errors.empty()) return std::nullopt;
  return CaretFor(box_text, run.errors.back().line, run.errors.back().column);
}

CalcView CalcSource(Session& session, std::string source, std::vector<LostCharacter> lost) {
  CalcView view;
  view.source = std::move(source);
  view.lost = std::move(lost);
  view.run = session.Run(view.source);
  return view;
}

CalcView CalcBox(Session& session, std::string_view box_text) {
  std::vector<LostCharacter> lost;
  std::string source = ScriptFileFromBoxText(box_text, &lost);
  return CalcSource(session, std::move(source), std::move(lost));
}

}  // namespace orbelin
