// The parser: recursive descent that evaluates while it parses.
//
// Each rule reads its terminals, computes its value at once and hands it on:
// an assignment stores as soon as its expression is read, an output item is
// written as soon as it is read, a library statement runs as soon as its ")"
// is read. There is no syntax tree and no second pass, and no
// resynchronisation after an error: a rule that misses a terminal reports it
// and goes on as if it had been there.
#pragma once

#include <cstddef>
#include <vector>

#include "interp/library_call.h"
#include "interp/scanner.h"

namespace orbelin {

struct CallForm;

class Parser {
 public:
  // Deepest nesting of expressions; deeper input is reported as a factor
  // error instead of running out of stack.
  static constexpr int kMaxNesting = 256;

  Parser(Scanner& scanner, Runtime& rt) : sc_(scanner), rt_(rt) {}

  // Prog -> [ VarDecl ] StatSeq EOF
  void Program();

 private:
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
  void ReadArguments(const char* kinds, CallArgs* args);

  double Expr();
  double Term();
  double Hoch();
  double Fact();
  double Func();
  double Koord();
  void WarnPasted(const PastedCoordinate& c);
  void StrArg(StringArg* out);
  int VarRef();

  Scanner& sc_;
  Runtime& rt_;
  bool declaring_ = false;
  int depth_ = 0;
  // The decimal-comma warnings of the current statement, as indices into
  // the run's notes: a syntax error that follows drops them, as its hint
  // then names the comma itself.
  std::vector<size_t> comma_warnings_;
};

}  // namespace orbelin
