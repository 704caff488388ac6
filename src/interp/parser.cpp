#include "interp/parser.h"

#include <cmath>

#include "interp/catalogue.h"
#include "interp/int_conversion.h"
#include "interp/terminals.h"

namespace orbelin {

namespace {

// PI of the language: two units in the last place above the double nearest
// to pi (bits 0x400921FB54442D1A).
constexpr double kScriptPi = 3.141592653589794;

constexpr int kErrItemAfterComma = 100;
constexpr int kErrStatement = 101;
constexpr int kErrFactor = 105;
constexpr int kErrDuplicateName = 110;
constexpr int kErrUnknownName = 111;

bool StartsStatement(int t) {
  return t == kIdent || t == kWrite || t == kArrow || t == kOlon ||
         (t >= kOlat && t <= kEnigmaWheels);
}

// Terminals that can begin an output item; after a comma the items that
// must stand first are not among them.
bool StartsItem(int t, bool first) {
  if (t == kMorse || t == kEsrom || (t >= kVige && t <= kSubstr)) return first;
  return t == kIdent || t == kNumber || t == kString || t == kLParen ||
         (t >= kEsrom && t <= kRot13) || (t >= kPi && t <= kSumeyr);
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

void Parser::Program() {
  if (sc_.lookahead() == kVar) VarDecl();
  StatSeq();
}

// VarDecl -> VAR ident { "," ident } ";"
void Parser::VarDecl() {
  sc_.NextToken();
  declaring_ = true;
  for (;;) {
    Expect(kIdent);
    rt_.vars.Clear(ResolveName());
    if (sc_.lookahead() != kComma) break;
    sc_.NextToken();
  }
  Expect(kSemicolon);
  declaring_ = false;
}

// StatSeq -> Stat ";" { Stat ";" }
// The sequence ends silently at the first terminal that starts no
// statement; only the very first statement must be there.
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
  if (t == kIdent) {
    sc_.NextToken();
    int v = ResolveName();
    Expect(kEquals);
    double x = Expr();
    rt_.SetValue(v, x);
  } else if (t == kWrite || t == kArrow) {
    OutputStatement();
  } else if (t == kOlon || t == kOlat || t == kDebug || t == kMargin) {
    SettingStatement(t);
  } else if (const LibraryRow* row = FindStatement(t)) {
    LibraryCall(*row);
  } else {
    rt_.ReportError(kErrStatement);
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
  if (t == kString) {
    sc_.NextToken();
    StringArg text;
    sc_.StringValue(&text);
    rt_.out.WriteString(text.view());
  } else if (const LibraryRow* row = FindItem(t)) {
    LibraryCall(*row);
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
      break;
    case kOlat:
      rt_.point.lat = x;
      rt_.point.set = true;
      break;
    case kDebug:
      rt_.debug = FloorToInt(x);
      break;
    default:  // kMargin
      rt_.out.set_margin(FloorToInt(x));
      break;
  }
}

// keyword "(" arguments ")", or the keyword alone for a bare row; the
// handler runs once the ")" has been expected, also after errors.
void Parser::LibraryCall(const LibraryRow& row) {
  sc_.NextToken();
  CallArgs args;
  if (!row.bare) {
    Expect(kLParen);
    ReadArguments(row.kinds, row.default_number, &args);
    Expect(kRParen);
  }
  if (row.handler != nullptr) row.handler(rt_, args);
}

void Parser::ReadArguments(const char* kinds, double default_number, CallArgs* a) {
  int n = 0, s = 0, v = 0;
  for (const char* k = kinds; *k != '\0'; ++k) {
    if (*k == ':') {  // optional ": number" after the previous argument
      a->num[n] = default_number;
      if (sc_.lookahead() == kColon) {
        sc_.NextToken();
        Expect(kNumber);
        a->num[n] = sc_.NumberValue();
      }
      ++n;
      continue;
    }
    if (k != kinds) Expect(kComma);
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
    rt_.ReportError(kErrFactor);
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
    x = (t == kCaret) ? std::pow(x, y) : std::pow(x, 1 / y);
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
    double x = Expr();
    Expect(kRParen);
    return x;
  }
  if (t == kPi) {
    sc_.NextToken();
    return kScriptPi;
  }
  if (t >= kDegE && t <= kDegS) return Koord();
  if (t >= kCos && t <= kSumeyr) return Func();
  rt_.ReportError(kErrFactor);
  return 0.0;  // a run with errors shows the listing, so any fixed value does
}

// Func -> keyword "(" arguments ")"
double Parser::Func() {
  const FunctionRow& row = *FindFunction(sc_.lookahead());
  sc_.NextToken();
  Expect(kLParen);
  CallArgs args;
  ReadArguments(row.kinds, 0.0, &args);
  Expect(kRParen);
  return row.handler != nullptr ? row.handler(rt_, args) : 0.0;
}

// Koord -> ("°E" | "°N" | "°W" | "°S") number number    degrees, minutes
double Parser::Koord() {
  const int t = sc_.lookahead();
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
