#include "interp/parser.h"

#include <string>

#include "base/int_conversion.h"
#include "interp/errors.h"
#include "interp/tape_compiler.h"

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

void ApplySetting(Runtime& rt, int terminal, double x) {
  switch (terminal) {
    case kOlon:
      rt.point.lon = x;
      rt.point.set = true;
      rt.point_set = true;
      break;
    case kOlat:
      rt.point.lat = x;
      rt.point.set = true;
      rt.point_set = true;
      break;
    case kDebug:
      rt.debug = FloorToInt(x);
      break;
    default:  // kMargin
      rt.out.set_margin(FloorToInt(x));
      break;
  }
}

template <class Mode>
void Parser<Mode>::Expect(int terminal) {
  if (sc_.lookahead() == terminal) {
    sc_.NextToken();
  } else {
    SyntaxError(terminal);
  }
}

// A decimal comma that splits a pasted coordinate usually ends in a syntax
// error at once (a number left over where a name, a bracket or ";" should
// stand); the error's hint then says what the warning would, so the warning
// goes. Runs without an error keep it.
template <class Mode>
void Parser<Mode>::SyntaxError(int number) {
  for (auto i = comma_warnings_.rbegin(); i != comma_warnings_.rend(); ++i) {
    rt_.notes.erase(rt_.notes.begin() + static_cast<std::ptrdiff_t>(*i));
  }
  comma_warnings_.clear();
  mode_.ReportError(number);
}

// The current token's name as a variable number; 0 after an error. In a
// declaration a new name is added (when the table is full it stays
// undeclared, and its uses report it unknown).
template <class Mode>
int Parser<Mode>::ResolveName() {
  char buffer[Scanner::kNameBytes + 1];
  std::string_view name = sc_.NameText(buffer);
  int v = rt_.vars.Find(name);
  if (declaring_) {
    if (v >= 0) {
      mode_.ReportError(kErrDuplicateName);
      return 0;
    }
    return rt_.vars.Add(name);
  }
  if (v < 0) {
    mode_.ReportError(kErrUnknownName);
    return 0;
  }
  return v;
}

// Text left after the statement sequence is reported where it starts, so a
// script never stops half-way without a word; the rest is not run.
template <class Mode>
void Parser<Mode>::Program() {
  if (sc_.lookahead() == kVar) VarDecl();
  StatSeq();
  if (sc_.lookahead() != kEof) SyntaxError(kErrEofExpected);
}

// VarDecl -> VAR ident { "," ident } ";"
// A name the full table cannot take stays undeclared; the first one is
// warned of, with how many more followed it.
template <class Mode>
void Parser<Mode>::VarDecl() {
  sc_.NextToken();
  declaring_ = true;
  int dropped = 0;
  SourceLocation first_dropped;
  std::string first_name;
  for (;;) {
    Expect(kIdent);
    const int v = ResolveName();
    mode_.Declare(v);
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
template <class Mode>
void Parser<Mode>::StatSeq() {
  do {
    Stat();
    Expect(kSemicolon);
  } while (StartsStatement(sc_.lookahead()));
}

// Stat -> ident "=" Expr | (WRITE | "->") [ OutItem { "," OutItem } ]
//       | (OLON | OLAT | DEBUG | MARGIN) "=" Expr | library statement
template <class Mode>
void Parser<Mode>::Stat() {
  comma_warnings_.clear();
  const int t = sc_.lookahead();
  switch (TerminalRole(t)) {
    case Role::kName: {
      sc_.NextToken();
      const SourceLocation name = sc_.current().location;
      int v = ResolveName();
      Expect(kEquals);
      Value x = Expr();
      mode_.Assign(v, x, name);
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
      SyntaxError(kErrStatementStart);
      break;
  }
}

template <class Mode>
void Parser<Mode>::OutputStatement() {
  sc_.NextToken();
  if (StartsItem(sc_.lookahead(), true)) OutItem();
  while (sc_.lookahead() == kComma) {
    sc_.NextToken();
    if (StartsItem(sc_.lookahead(), false)) {
      OutItem();
    } else {
      SyntaxError(kErrItemAfterComma);
    }
  }
  mode_.WriteNewline();  // every output statement ends its line
}

// OutItem -> Expr [ ":" number ] | string | library item
template <class Mode>
void Parser<Mode>::OutItem() {
  const int t = sc_.lookahead();
  const Role role = TerminalRole(t);
  if (role == Role::kString) {
    sc_.NextToken();
    StringArg text;
    sc_.StringValue(&text);
    mode_.WriteString(text);
  } else if (role == Role::kItem || role == Role::kFirstItem) {
    LibraryCall(t);
  } else {
    Value value = Expr();
    double precision = 0.0;
    if (sc_.lookahead() == kColon) {
      sc_.NextToken();
      Expect(kNumber);
      precision = sc_.NumberValue();
    }
    mode_.WriteNumber(value, precision);
  }
}

template <class Mode>
void Parser<Mode>::SettingStatement(int t) {
  sc_.NextToken();
  Expect(kEquals);
  Value x = Expr();
  mode_.Setting(t, x);
}

// keyword "(" arguments ")", or the keyword alone for a bare statement; the
// binding runs once the ")" has been expected, also after errors.
template <class Mode>
void Parser<Mode>::LibraryCall(int terminal) {
  const CallForm& form = CallFormOf(terminal);
  sc_.NextToken();
  const SourceLocation call = sc_.current().location;
  Args args;
  if (TerminalRole(terminal) != Role::kBareStatement) {
    const CallSite outer = EnterCall(terminal);
    ReadArguments(form.kinds, &args);
    Expect(kRParen);
    rt_.diagnostics.site() = outer;
  }
  mode_.Statement(form, args, call);
}

// Reads the "(" of a call whose keyword was just read; the site to go back
// to once its ")" is read.
template <class Mode>
CallSite Parser<Mode>::EnterCall(int terminal) {
  CallSite& site = rt_.diagnostics.site();
  const CallSite outer = site;
  site = {terminal, 0, {}};
  const bool bracket = sc_.lookahead() == kLParen;
  Expect(kLParen);
  if (bracket) site.opened = sc_.current().location;
  return outer;
}

template <class Mode>
void Parser<Mode>::ReadArguments(const char* kinds, Args* a) {
  int n = 0, s = 0, v = 0;
  for (const char* k = kinds; *k != '\0'; ++k) {
    if (*k == ':') {  // optional ": number" after the previous argument
      double given = OptionalDefault(k + 1);
      if (sc_.lookahead() == kColon) {
        sc_.NextToken();
        Expect(kNumber);
        given = sc_.NumberValue();
      }
      Mode::Num(*a, n++) = mode_.Constant(given);
      while (k[1] >= '0' && k[1] <= '9') ++k;
      continue;
    }
    if (k != kinds) Expect(kComma);
    ++rt_.diagnostics.site().argument;
    switch (*k) {
      case 'N':
        Mode::Num(*a, n++) = Expr();
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
template <class Mode>
typename Mode::Value Parser<Mode>::Expr() {
  if (depth_ >= kMaxNesting) {
    SyntaxError(kErrFactorStart);
    return mode_.Constant(0.0);
  }
  ++depth_;
  Value x = Term();
  for (;;) {
    const int t = sc_.lookahead();
    if (t != kPlus && t != kMinus) break;
    sc_.NextToken();
    Value y = Term();
    x = mode_.Binary(t, x, y);
  }
  --depth_;
  return x;
}

// Term -> Hoch { ("*" | "/") Hoch }
template <class Mode>
typename Mode::Value Parser<Mode>::Term() {
  Value x = Hoch();
  for (;;) {
    const int t = sc_.lookahead();
    if (t != kStar && t != kSlash) break;
    sc_.NextToken();
    Value y = Hoch();
    x = mode_.Binary(t, x, y);
  }
  return x;
}

// Hoch -> Fact { ("^" | "|") Fact }    a | b is the b-th root of a
template <class Mode>
typename Mode::Value Parser<Mode>::Hoch() {
  Value x = Fact();
  for (;;) {
    const int t = sc_.lookahead();
    if (t != kCaret && t != kBar) break;
    sc_.NextToken();
    Value y = Fact();
    x = mode_.Binary(t, x, y);
  }
  return x;
}

// Fact -> ident | number | "(" Expr ")" | PI | Koord | Func
template <class Mode>
typename Mode::Value Parser<Mode>::Fact() {
  const int t = sc_.lookahead();
  if (t == kIdent) {
    sc_.NextToken();
    return mode_.Load(ResolveName());
  }
  if (t == kNumber) {
    sc_.NextToken();
    return mode_.Constant(sc_.NumberValue());
  }
  if (t == kLParen) {
    sc_.NextToken();
    CallSite& site = rt_.diagnostics.site();
    const CallSite outer = site;
    site = {kLParen, 0, sc_.current().location};
    Value x = Expr();
    Expect(kRParen);
    rt_.diagnostics.site() = outer;
    return x;
  }
  if (t == kPi) {
    sc_.NextToken();
    return mode_.Constant(kScriptPi);
  }
  if (TerminalRole(t) == Role::kCoordinate) return Koord();
  if (TerminalRole(t) == Role::kFunction) return Func();
  SyntaxError(kErrFactorStart);
  return mode_.Constant(0.0);  // a run with errors shows the listing, so any fixed value does
}

// Func -> keyword "(" arguments ")"
template <class Mode>
typename Mode::Value Parser<Mode>::Func() {
  const int terminal = sc_.lookahead();
  const CallForm& form = CallFormOf(terminal);
  sc_.NextToken();
  const SourceLocation call = sc_.current().location;
  const CallSite outer = EnterCall(terminal);
  Args args;
  ReadArguments(form.kinds, &args);
  Expect(kRParen);
  rt_.diagnostics.site() = outer;
  return mode_.Function(form, args, call);
}

// Koord -> ("°E" | "°N" | "°W" | "°S") number number    degrees, minutes
//        | pasted                                      "N 48° 12.345", one token
template <class Mode>
typename Mode::Value Parser<Mode>::Koord() {
  const int t = sc_.lookahead();
  if (t == kPasted) {
    sc_.NextToken();
    const PastedCoordinate c = sc_.Pasted();
    WarnPasted(c);
    return mode_.Constant(c.value);
  }
  const double sign = (t == kDegE || t == kDegN) ? 1.0 : -1.0;
  sc_.NextToken();
  Expect(kNumber);
  double degrees = sc_.NumberValue();
  Expect(kNumber);
  double minutes = sc_.NumberValue();
  return mode_.Constant((degrees + minutes / 60) * sign);
}

// A pasted coordinate is taken as written; two slips that still read as
// numbers are said: a decimal comma, which ends the coordinate at the
// comma, and degrees beyond the range of a latitude or longitude.
template <class Mode>
void Parser<Mode>::WarnPasted(const PastedCoordinate& c) {
  const bool comma = !c.decimal_comma.empty(), out_of_range = OutOfRange(c);
  if (!comma && !out_of_range) return;
  mode_.WarnWhileReading();
  const std::string text(sc_.TokenText(sc_.current().length));
  rt_.call = sc_.current().location;
  if (comma) {
    std::string point(c.decimal_comma);
    point[point.find(',')] = '.';
    comma_warnings_.push_back(rt_.notes.size());
    rt_.Warn("a decimal comma? Write " + point,
             text + " ends at the comma, and " +
                 std::string(c.decimal_comma.substr(c.decimal_comma.find(',') + 1)) +
                 " is read as the next number: minutes and seconds take a decimal point");
  }
  if (out_of_range) {
    const bool latitude = c.hemisphere == 'N' || c.hemisphere == 'S';
    rt_.Warn(text + (latitude ? " lies beyond 90\xB0 north or south"
                              : " lies beyond 180\xB0 east or west"),
             latitude ? "a latitude runs from S 90\xB0 to N 90\xB0: check its degrees"
                      : "a longitude runs from W 180\xB0 to E 180\xB0: check its degrees");
  }
}

// StrArg -> string
template <class Mode>
void Parser<Mode>::StrArg(StringArg* out) {
  Expect(kString);
  sc_.StringValue(out);
}

// VarRef -> ident
template <class Mode>
int Parser<Mode>::VarRef() {
  Expect(kIdent);
  return ResolveName();
}

template class Parser<Evaluation>;
template class Parser<TapeCompiler>;

}  // namespace orbelin
