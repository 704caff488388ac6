#include "interp/diagnostics.h"

#include "interp/result_stream.h"
#include "interp/terminals.h"

namespace orbelin {

void Diagnostics::Report(int number) {
  if (distance_ >= kDistance && storing_ && lookahead_ != nullptr) {
    records_.push_back({number, lookahead_->line, lookahead_->column});
  }
  distance_ = 0;
}

void Diagnostics::BeginRun(const SourceLocation* lookahead) {
  records_.clear();
  lookahead_ = lookahead;
  storing_ = true;
}

void Diagnostics::EndRun() {
  storing_ = false;
  lookahead_ = nullptr;
}

std::string MessageText(int number) {
  switch (number) {
    case 0:
      return "EOF expected";
    case 1:
      return "ident expected";
    case 2:
      return "number expected";
    case 3:
      return "string expected";
    case 97:
      return "not expected";
    case 98:
    case 99:
    case 100:
    case 101:
      return "unexpected symbol in Stat";
    case 102:
      return "unexpected symbol in Expr";
    case 103:
      return "unexpected symbol in Term";
    case 104:
      return "unexpected symbol in Hoch";
    case 105:
      return "unexpected symbol in Fact";
    case 106:
      return "unexpected symbol in Func";
    case 107:
    case 108:
    case 109:
      return "unexpected symbol in Koord";
    case 110:
      return "No dopple indent name";
    case 111:
      return "indent name unknown";
    case 112:
      return "";
    case 113:
      return "Gleichung nicht l\xF6sbar";
    case 114:
      return "Zu viele R\xE4"
             "der";
    case 115:
      return "R\xE4"
             "der und Stellungen muss gleich lang sein";
    case 116:
      return "Der Stecker muss eine gerade Anzahl haben";
    case 117:
      return "R\xE4"
             "der muss im Bereich A..V liegen";
    case 118:
      return "Stellung muss im Bereich A..Z liegen";
    case 119:
      return "Preset muss im Bereich A..Z liegen";
    default:
      break;
  }
  if (number >= 4 && number <= 96) {
    std::string text = "\"";
    text += TerminalText(number);
    text += "\" expected";
    return text;
  }
  return "Compiler error";
}

void WriteMessage(ResultStream& out, int number) {
  out.Write(MessageText(number));
  out.Printf(" (E%d)", number);
}

}  // namespace orbelin
