#include "frontend/calc.h"

#include <algorithm>
#include <string>
#include <utility>

#include "frontend/script_bytes.h"

namespace orbelin {

std::string CalcView::ShownText() const {
  return BoxTextFromFile(has_errors() ? run.listing : run.results);
}

Explanation Utf8Warning(const Utf8Damage& damage) {
  Explanation w;
  w.kind = Explanation::Kind::kWarning;
  w.line = damage.line;
  w.column = damage.column;
  w.message = damage.bytes == 1
                  ? std::string(
                        "this byte is not UTF-8, though the script is read as UTF-8: it "
                        "became '?'")
                  : "this byte and " + std::to_string(damage.bytes - 1) +
                        (damage.bytes == 2 ? " other" : " others") +
                        " are not UTF-8, though the script is read as UTF-8: each became '?'";
  w.hint =
      "a byte-order mark at the start, or --encoding utf-8, says the script is UTF-8: save it "
      "as UTF-8 again, or as Windows-1252 without the mark";
  return w;
}

const std::vector<Explanation>& CalcView::explanations() const {
  if (!explanations_) {
    explanations_ = Explain(source, run, lost);
    if (!utf8_damage.empty()) {
      // In the order of the places in the text, before what stands at the
      // same place.
      const Explanation w = Utf8Warning(utf8_damage);
      const auto at =
          std::find_if(explanations_->begin(), explanations_->end(), [&w](const Explanation& e) {
            return e.line > w.line || (e.line == w.line && e.column >= w.column);
          });
      explanations_->insert(at, w);
    }
  }
  return *explanations_;
}

std::vector<Diagnostic> CalcView::Diagnostics(std::string_view box_text) const {
  return ShowDiagnostics(explanations(), box_text);
}

std::optional<CaretPlace> CalcView::ErrorCaret(std::string_view box_text) const {
  if (run.errors.empty()) return std::nullopt;
  return CaretFor(box_text, run.errors.back().line, run.errors.back().column);
}

CalcView CalcSource(Session& session, std::string source, Utf8Damage damage,
                    std::vector<LostCharacter> lost) {
  CalcView view;
  view.source = std::move(source);
  view.utf8_damage = damage;
  view.lost = std::move(lost);
  view.run = session.Run(view.source);
  return view;
}

CalcView CalcBox(Session& session, std::string_view box_text) {
  std::vector<LostCharacter> lost;
  std::string source = ScriptFileFromBoxText(box_text, &lost);
  return CalcSource(session, std::move(source), {}, std::move(lost));
}

}  // namespace orbelin
