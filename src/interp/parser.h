// The parser: recursive descent that evaluates while it parses.
//
// Each rule reads its terminals, computes its value at once and hands it on:
// an assignment stores as soon as its expression is read, an output item is
// written as soon as it is read, a library statement runs as soon as its ")"
// is read. There is no syntax tree and no second pass, and no
// resynchronisation after an error: a rule that misses a terminal reports it
// and goes on as if it had been there.
//
// What "computes" means is the parser's Mode. Evaluation (below) computes
// at once, as a press of Calc does. A compiler mode (tape.h) writes down
// the same steps in the same order instead, so that a script without
// errors of its grammar can be run again and again without being read
// again: the grammar stays in this one place.
#pragma once

#include <cstddef>
#include <vector>

#include "base/maths.h"
#include "interp/catalogue.h"
#include "interp/library_call.h"
#include "interp/scanner.h"
#include "interp/terminals.h"

namespace orbelin {

// What OLAT, OLON, DEBUG or MARGIN = x does.
void ApplySetting(Runtime& rt, int terminal, double x);

// One of + - * / ^ | on two values; a | b is the b-th root of a.
inline double Arithmetic(int op, double x, double y) {
  switch (op) {
    case kPlus:
      return x + y;
    case kMinus:
      return x - y;
    case kStar:
      return x * y;
    case kSlash:
      return x / y;
    case kCaret:
      return maths::pow(x, y);
    default:  // kBar
      return maths::pow(x, 1 / y);
  }
}

// The mode of a press of Calc: every value computed as it is read.
class Evaluation {
 public:
  using Value = double;
  using Args = CallArgs;

  explicit Evaluation(Runtime& rt) : rt_(rt) {}

  static double& Num(Args& args, int n) { return args.num[n]; }
  Value Constant(double x) { return x; }
  Value Load(int v) { return rt_.vars.Get(v); }
  Value Binary(int op, Value x, Value y) { return Arithmetic(op, x, y); }
  Value Function(const CallForm& form, const Args& args, const SourceLocation& call) {
    rt_.call = call;
    return form.binding.function(rt_, args);
  }
  void Statement(const CallForm& form, const Args& args, const SourceLocation& call) {
    rt_.call = call;
    form.binding.statement(rt_, args);
  }
  void Declare(int v) { rt_.vars.Clear(v); }
  // An assignment; a warning about it points at the name.
  void Assign(int v, Value x, const SourceLocation& name) {
    rt_.call = name;
    rt_.SetValue(v, x);
  }
  void WriteNumber(Value x, double precision) { rt_.out.WriteNumber(x, precision); }
  void WriteString(const StringArg& text) { rt_.out.WriteString(text.view()); }
  void WriteNewline() { rt_.out.WriteNewline(); }
  // OLAT, OLON, DEBUG or MARGIN = x.
  void Setting(int terminal, Value x) { ApplySetting(rt_, terminal, x); }
  void ReportError(int number) { rt_.ReportError(number); }
  // A warning of the text itself (a pasted coordinate's slip) was given
  // among the statements' notes; reading and running are one pass here,
  // so it already stands in its place.
  void WarnWhileReading() {}

 private:
  Runtime& rt_;
};

template <class Mode>
class Parser {
 public:
  // Deepest nesting of expressions; deeper input is reported as a factor
  // error instead of running out of stack.
  static constexpr int kMaxNesting = 256;

  Parser(Scanner& scanner, Runtime& rt, Mode& mode) : sc_(scanner), rt_(rt), mode_(mode) {}

  // Prog -> [ VarDecl ] StatSeq EOF
  void Program();

 private:
  using Value = typename Mode::Value;
  using Args = typename Mode::Args;

  void Expect(int terminal);
  void SyntaxError(int number);
  int ResolveName();

  void VarDecl();
  void StatSeq();
  void Stat();
  void OutputStatement();
  void OutItem();
  void SettingStatement(int terminal);
  void LibraryCall(int terminal);
  CallSite EnterCall(int terminal);
  void ReadArguments(const char* kinds, Args* args);

  Value Expr();
  Value Term();
  Value Hoch();
  Value Fact();
  Value Func();
  Value Koord();
  void WarnPasted(const PastedCoordinate& c);
  void StrArg(StringArg* out);
  int VarRef();

  Scanner& sc_;
  Runtime& rt_;
  Mode& mode_;
  bool declaring_ = false;
  int depth_ = 0;
  // The decimal-comma warnings of the current statement, as indices into
  // the run's notes: a syntax error that follows drops them, as its hint
  // then names the comma itself.
  std::vector<size_t> comma_warnings_;
};

}  // namespace orbelin
