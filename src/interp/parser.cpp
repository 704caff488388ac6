#include "interp/parser.h"

#include <string>

#include "base/int_conversion.h"
#include "base/maths.h"
#include "interp/catalogue.h"
#include "interp/errors.h"
#include "interp/terminals.h"

namespace orbelin {

namespace {

// PI of the language: two units in the last place above the double nearest
// to pi (bits 0x400921FB54442D1A).
constexpr double kScriptPi = 3.141592653589794;

// The default of an optional ": number" argument: the digits after the ':'
// in the kinds (":13" for ROT13's shift).
double OptionalDefault(const char* digits) {
  double value = 0;
  for (; *digits >= '0' && *digits <= '9'; ++digits) value = value * 10 + (*digits - '0');
  return value;
}

}  // namespace

void Parser::Expect(int terminal) {
  if (sc_.lookahead() == terminal) {
    sc_.NextToken();
  } else {
    rt_.ReportError(terminal);
  }
}

// The current token's name as a variable number; 0 after an error. In a
// declaration a new name is added (when the table is full it stays
// undeclared, and its uses report it unknown).
int Parser::ResolveName() {
  char buffer[Scanner::kNameBytes + 1];
  std::string_view name = sc_.NameText(buffer);
  int v = rt_.vars.Find(name);
  if (declaring_) {
    if (v >= 0) {
      rt_.ReportError(kErrDuplicateName);
      return 0;
    }
    return rt_.vars.Add(name);
  }
  if (v < 0) {
    rt_.ReportError(kErrUnknownName);
    return 0;
  }
  return v;
}

// Text left after the statement sequence is reported where it starts, so a
// script never stops half-way without a word; the rest is not run.
void Parser::Program() {
  if (sc_.lookahead() == kVar) VarDecl();
  StatSeq();
  if (sc_.lookahead() != kEof) rt_.ReportError(kErrEofExpected);
}

// VarDecl -> VAR ident { "," ident } ";"
// A name the full table cannot take stays undeclared; the first one is
// warned of, with how many more followed it.
void Parser::VarDecl() {
  sc_.NextToken();
  declaring_ = true;
  int dropped = 0;
  SourceLocation first_dropped;
  std::string first_name;
  for (;;) {
    Expect(kIdent);
    const int v = ResolveName();
    rt_.vars.Clear(v);
    if (v == 0) {
      char buffer[Scanner::kNameBytes + 1];
      const std::string_view name = sc_.NameText(buffer);
      if (rt_.vars.Find(name) < 0 && dropped++ == 0) {  // not a name declared twice
        first_dropped = sc_.current().location;
        first_name = name;
      }
    }
    if (sc_.lookahead() != kComma) break;
    sc_.NextToken();
  }
  Expect(kSemicolon);
  declaring_ = false;
  if (dropped > 0) {
    rt_.call = first_dropped;
    rt_.Warn(first_name +
                 (dropped == 1
                      ? " is not declared"
                      : " and the " + std::to_string(dropped - 1) +
                            (dropped == 2 ? " name" : " names") + " after it are not declared") +
                 ": the variable table is full (" + std::to_string(Variables::kMaxNames - 3) +
                 " names besides GM1, GM2 and GM3)",
             "use fewer names: every use of an undeclared name is error E111");
  }
}

// StatSeq -> Stat ";" { Stat ";" }
// The sequence ends at the first terminal that starts no statement; only the
// very first statement must be there.
void Parser::StatSeq() {
  do {
    Stat();
    Expect(kSemicolon);
  } while (StartsStatement(sc_.lookahead()));
}

// Stat -> ident "=" Expr | (WRITE | "->") [ OutItem { "," OutItem } ]
//       | (OLON | OLAT | DEBUG | MARGIN) "=" Expr | library statement
void Parser::Stat() {
  const int t = sc_.lookahead();
  switch (TerminalRole(t)) {
    case Role::kName: {
      sc_.NextToken();
      const SourceLocation name = sc_.current().location;
      int v = ResolveName();
      Expect(kEquals);
      double x = Expr();
      rt_.call = name;  // a warning about the assignment points at the name
      rt_.SetValue(v, x);
      break;
    }
    case Role::kOutput:
      OutputStatement();
      break;
    case Role::kSetting:
      SettingStatement(t);
      break;
    case Role::kStatement:
    case Role::kBareStatement:
      LibraryCall(t);
      break;
    default:
      rt_.ReportError(kErrStatementStart);
      break;
  }
}

void Parser::OutputStatement() {
  sc_.NextToken();
  if (StartsItem(sc_.lookahead(), true)) OutItem();
  while (sc_.lookahead() == kComma) {
    sc_.NextToken();
    if (StartsItem(sc_.lookahead(), false)) {
      OutItem();
    } else {
      rt_.ReportError(kErrItemAfterComma);
    }
  }
  rt_.out.WriteNewline();  // every output statement ends its line
}

// OutItem -> Expr [ ":" number ] | string | library item
void Parser::OutItem() {
  const int t = sc_.lookahead();
  const Role role = TerminalRole(t);
  if (role == Role::kString) {
    sc_.NextToken();
    StringArg text;
    sc_.StringValue(&text);
    rt_.out.WriteString(text.view());
  } else if (role == Role::kItem || role == Role::kFirstItem) {
    LibraryCall(t);
  } else {
    double value = Expr();
    double precision = 0.0;
    if (sc_.lookahead() == kColon) {
      sc_.NextToken();
      Expect(kNumber);
      precision = sc_.NumberValue();
    }
    rt_.out.WriteNumber(value, precision);
  }
}

void Parser::SettingStatement(int t) {
  sc_.NextToken();
  Expect(kEquals);
  double x = Expr();
  switch (t) {
    case kOlon:
      rt_.point.lon = x;
      rt_.point.set = true;
      rt_.point_set = true;
      break;
    case kOlat:
      rt_.point.lat = x;
      rt_.point.set = true;
      rt_.point_set = true;
      break;
    case kDebug:
      rt_.debug = FloorToInt(x);
      break;
    default:  // kMargin
      rt_.out.set_margin(FloorToInt(x));
      break;
  }
}

// keyword "(" arguments ")", or the keyword alone for a bare statement; the
// binding runs once the ")" has been expected, also after errors.
void Parser::LibraryCall(int terminal) {
  const CallForm& form = CallFormOf(terminal);
  sc_.NextToken();
  const SourceLocation call = sc_.current().location;
  CallArgs args;
  if (TerminalRole(terminal) != Role::kBareStatement) {
    const CallSite outer = EnterCall(terminal);
    ReadArguments(form.kinds, &args);
    Expect(kRParen);
    rt_.diagnostics.site() = outer;
  }
  rt_.call = call;
  form.binding.statement(rt_, args);
}

// Reads the "(" of a call whose keyword was just read; the site to go back
// to once its ")" is read.
CallSite Parser::EnterCall(int terminal) {
  CallSite& site = rt_.diagnostics.site();
  const CallSite outer = site;
  site = {terminal, 0, {}};
  const bool bracket = sc_.lookahead() == kLParen;
  Expect(kLParen);
  if (bracket) site.opened = sc_.current().location;
  return outer;
}

void Parser::ReadArguments(const char* kinds, CallArgs* a) {
  int n = 0, s = 0, v = 0;
  for (const char* k = kinds; *k != '\0'; ++k) {
    if (*k == ':') {  // optional ": number" after the previous argument
      a->num[n] = OptionalDefault(k + 1);
      if (sc_.lookahead() == kColon) {
        sc_.NextToken();
        Expect(kNumber);
        a->num[n] = sc_.NumberValue();
      }
      ++n;
      while (k[1] >= '0' && k[1] <= '9') ++k;
      continue;
    }
    if (k != kinds) Expect(kComma);
    ++rt_.diagnostics.site().argument;
    switch (*k) {
      case 'N':
        a->num[n++] = Expr();
        break;
      case 'S':
        StrArg(&a->str[s++]);
        break;
      case 'V':
        a->var[v++] = VarRef();
        break;
      default:
        break;
    }
  }
}

// Expr -> Term { ("+" | "-") Term }
double Parser::Expr() {
  if (depth_ >= kMaxNesting) {
    rt_.ReportError(kErrFactorStart);
    return 0.0;
  }
  ++depth_;
  double x = Term();
  for (;;) {
    const int t = sc_.lookahead();
    if (t != kPlus && t != kMinus) break;
    sc_.NextToken();
    double y = Term();
    x = (t == kPlus) ? x + y : x - y;
  }
  --depth_;
  return x;
}

// Term -> Hoch { ("*" | "/") Hoch }
double Parser::Term() {
  double x = Hoch();
  for (;;) {
    const int t = sc_.lookahead();
    if (t != kStar && t != kSlash) break;
    sc_.NextToken();
    double y = Hoch();
    x = (t == kStar) ? x * y : x / y;
  }
  return x;
}

// Hoch -> Fact { ("^" | "|") Fact }    a | b is the b-th root of a
double Parser::Hoch() {
  double x = Fact();
  for (;;) {
    const int t = sc_.lookahead();
    if (t != kCaret && t != kBar) break;
    sc_.NextToken();
    double y = Fact();
    x = (t == kCaret) ? maths::pow(x, y) : maths::pow(x, 1 / y);
  }
  return x;
}

// Fact -> ident | number | "(" Expr ")" | PI | Koord | Func
double Parser::Fact() {
  const int t = sc_.lookahead();
  if (t == kIdent) {
    sc_.NextToken();
    return rt_.vars.Get(ResolveName());
  }
  if (t == kNumber) {
    sc_.NextToken();
    return sc_.NumberValue();
  }
  if (t == kLParen) {
    sc_.NextToken();
    CallSite& site = rt_.diagnostics.site();
    const CallSite outer = site;
    site = {kLParen, 0, sc_.current().location};
    double x = Expr();
    Expect(kRParen);
    rt_.diagnostics.site() = outer;
    return x;
  }
  if (t == kPi) {
    sc_.NextToken();
    return kScriptPi;
  }
  if (TerminalRole(t) == Role::kCoordinate) return Koord();
  if (TerminalRole(t) == Role::kFunction) return Func();
  rt_.ReportError(kErrFactorStart);
  return 0.0;  // a run with errors shows the listing, so any fixed value does
}

// Func -> keyword "(" arguments ")"
double Parser::Func() {
  const int terminal = sc_.lookahead();
  const CallForm& form = CallFormOf(terminal);
  sc_.NextToken();
  const SourceLocation call = sc_.current().location;
  const CallSite outer = EnterCall(terminal);
  CallArgs args;
  ReadArguments(form.kinds, &args);
  Expect(kRParen);
  rt_.diagnostics.site() = outer;
  rt_.call = call;
  return form.binding.function(rt_, args);
}

// Koord -> ("°E" | "°N" | "°W" | "°S") number number    degrees, minutes
//        | pasted                                      "N 48° 12.345", one token
double Parser::Koord() {
  const int t = sc_.lookahead();
  if (t == kPasted) {
    sc_.NextToken();
    return sc_.PastedValue();
  }
  const double sign = (t == kDegE || t == kDegN) ? 1.0 : -1.0;
  sc_.NextToken();
  Expect(kNumber);
  double degrees = sc_.NumberValue();
  Expect(kNumber);
  double minutes = sc_.NumberValue();
  return (degrees + minutes / 60) * sign;
}

// StrArg -> string
void Parser::StrArg(StringArg* out) {
  Expect(kString);
  sc_.StringValue(out);
}

// VarRef -> ident
int Parser::VarRef() {
  Expect(kIdent);
  return ResolveName();
}

}  // namespace orbelin
