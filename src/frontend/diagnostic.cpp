#include "frontend/diagnostic.h"

#include <algorithm>
#include <cstdio>

#include "base/cp1252.h"
#include "base/source_text.h"
#include "frontend/caret.h"

namespace orbelin {

static_assert(static_cast<int>(Diagnostic::Kind::kError) ==
                      static_cast<int>(Explanation::Kind::kError) &&
                  static_cast<int>(Diagnostic::Kind::kWarning) ==
                      static_cast<int>(Explanation::Kind::kWarning) &&
                  static_cast<int>(Diagnostic::Kind::kNote) ==
                      static_cast<int>(Explanation::Kind::kNote),
              "a diagnostic's kind is its explanation's");

namespace {

// The starts of a text's lines, found once, so that many diagnostics cost
// one pass over the text and not one each.
class Lines {
 public:
  explicit Lines(std::string_view text) : text_(text) {
    starts_.push_back(0);
    for (size_t i = text.find('\n'); i != std::string_view::npos; i = text.find('\n', i + 1)) {
      starts_.push_back(i + 1);
    }
  }
  // Line `line` (from 0) without its line end; "" past the text's end.
  std::string_view operator[](int line) const {
    if (line < 0 || static_cast<size_t>(line) >= starts_.size()) return {};
    const size_t start = starts_[static_cast<size_t>(line)];
    std::string_view l = text_.substr(start);
    l = l.substr(0, l.find('\n'));
    if (!l.empty() && l.back() == '\r') l.remove_suffix(1);
    return l;
  }
  int count() const { return static_cast<int>(starts_.size()); }

 private:
  std::string_view text_;
  std::vector<size_t> starts_;
};

CaretPlace CaretIn(const Lines& lines, int line, int column) {
  // A line past the text's end (the end of a text without a final line
  // end is reported on the line after it) puts the caret on the last one.
  const int l = std::clamp(line - 1, 0, lines.count() - 1);
  return {l, CaretIndexForColumn(lines[l], std::max(column - 1, 0))};
}

const char* WordFor(Explanation::Kind kind) {
  switch (kind) {
    case Explanation::Kind::kError:
      return "error";
    case Explanation::Kind::kWarning:
      return "warning";
    case Explanation::Kind::kNote:
      break;
  }
  return "note";
}

// The line with its tabs widened as the interpreter counts columns, so that
// the caret below stands under the column the message gives.
std::string Widened(std::string_view line) {
  std::string out;
  int column = 1;
  for (char c : line) {
    if (c == '\t') {
      const int next = ColumnAfterTab(column);
      out.append(static_cast<size_t>(next - column), ' ');
      column = next;
    } else if (c != '\r') {
      out += c;
      ++column;
    }
  }
  return out;
}

}  // namespace

const char* Diagnostic::KindWord() const {
  return WordFor(static_cast<Explanation::Kind>(kind));
}

std::string Diagnostic::Headline() const {
  return std::to_string(line) + ":" + std::to_string(column) + ": " + KindWord() + ": " + message;
}

CaretPlace CaretFor(std::string_view box_text, int line, int column) {
  return CaretIn(Lines(box_text), line, column);
}

std::vector<Diagnostic> ShowDiagnostics(const std::vector<Explanation>& explanations,
                                        std::string_view box_text) {
  std::vector<Diagnostic> shown;
  if (explanations.empty()) return shown;
  const Lines lines(box_text);
  shown.reserve(explanations.size());
  for (const Explanation& x : explanations) {
    Diagnostic d;
    d.kind = static_cast<Diagnostic::Kind>(x.kind);
    d.line = x.line;
    d.column = x.column;
    d.number = x.number;
    d.message = Cp1252ToUtf8(x.message);
    d.hint = Cp1252ToUtf8(x.hint);
    d.caret = CaretIn(lines, x.line, x.column);
    shown.push_back(std::move(d));
  }
  return shown;
}

std::string ReportText(std::string_view name, std::string_view source,
                       const std::vector<Explanation>& explanations, bool utf8,
                       const ReportColours& c) {
  std::string out;
  auto text = [&](std::string_view cp1252) {
    if (utf8) {
      out += Cp1252ToUtf8(cp1252);
    } else {
      out += cp1252;
    }
  };
  if (explanations.empty()) return out;
  const Lines lines(CutAtNul(source));
  char number[32];
  for (const Explanation& x : explanations) {
    out += c.bold;
    out += name;
    std::snprintf(number, sizeof number, ":%d:%d:", x.line, x.column);
    out += number;
    out += c.reset;
    out += ' ';
    out += x.kind == Explanation::Kind::kError     ? c.error
           : x.kind == Explanation::Kind::kWarning ? c.warning
                                                   : c.note;
    out += WordFor(x.kind);
    out += ':';
    out += c.reset;
    out += ' ';
    text(x.message);
    std::snprintf(number, sizeof number, "\n%6d | ", x.line);
    out += number;
    text(Widened(lines[x.line - 1]));
    out += "\n       | ";
    out.append(static_cast<size_t>(x.column > 1 ? x.column - 1 : 0), ' ');
    out += c.caret;
    out += '^';
    out += c.reset;
    out += '\n';
    if (!x.hint.empty()) {
      out += c.hint;
      out += "hint:";
      out += c.reset;
      out += ' ';
      text(x.hint);
      out += '\n';
    }
  }
  return out;
}

}  // namespace orbelin
