#include "interp/diagnostics.h"

#include <utility>

#include "base/text_sink.h"
#include "interp/errors.h"
#include "interp/terminals.h"

namespace orbelin {

void Diagnostics::Report(int number) {
  ++reports_;
  if (distance_ >= kDistance && storing_ && lookahead_ != nullptr) {
    records_.push_back({number, lookahead_->line, lookahead_->column, lookahead_->position,
                        before_ != nullptr ? *before_ : Token{}, site_});
  }
  distance_ = 0;
}

void Diagnostics::Report(int number, std::string detail) {
  const size_t before = records_.size();
  Report(number);
  if (records_.size() > before) records_.back().detail = std::move(detail);
}

void Diagnostics::BeginRun(const SourceLocation* lookahead, const Token* before) {
  records_.clear();
  site_ = {};
  lookahead_ = lookahead;
  before_ = before;
  storing_ = true;
}

void Diagnostics::EndRun() {
  storing_ = false;
  lookahead_ = nullptr;
  before_ = nullptr;
}

std::string MessageText(int number) {
  switch (number) {
#define ORBELIN_ERROR(name, n, text) \
  case n:                            \
    return text;
    ORBELIN_ERRORS(ORBELIN_ERROR)
#undef ORBELIN_ERROR
    default:
      break;
  }
  if (number >= kVar && number <= kSumeyr) {
    std::string text = "\"";
    text += TerminalText(number);
    text += "\" expected";
    return text;
  }
  return "Compiler error";
}

void WriteMessage(TextSink& out, int number) {
  out.Write(MessageText(number));
  out.Printf(" (E%d)", number);
}

}  // namespace orbelin
