// The parser's compiler mode: instead of computing, each step is written on
// a tape (tape.h), in the order the evaluating parser would take it. A value
// is the number of the slot that will hold it.
//
// Beside the steps it follows which values depend on the variables tried
// (the ones that start at given values), so that a compiled script can
// tell an error the values cannot change from one they cause.
#pragma once

#include <cstring>
#include <vector>

#include "interp/bindings.h"
#include "interp/catalogue.h"
#include "interp/library_call.h"
#include "interp/scanner.h"
#include "interp/tape.h"

namespace orbelin {

class TapeCompiler {
 public:
  using Value = int;
  struct Args : CallArgs {
    int slot[kMaxNum] = {};
  };

  // The variables must have been reset with the start values (GM1 to GM3
  // may have one).
  TapeCompiler(Runtime& rt, const Scanner& scanner, Tape& tape)
      : rt_(rt), sc_(scanner), tape_(tape), varies_(Variables::kSlots, false) {
    for (int v = 1; v <= 3; ++v) varies_[v] = rt_.vars.HasStartValue(v);
  }

  // Whether the grammar reported an error: such a text is not compiled.
  bool failed() const { return failed_; }
  // Whether a warning was given while reading, between the steps: a run
  // of the tape would give it before every note of the run instead.
  bool warned() const { return warned_; }

  static int& Num(Args& args, int n) { return args.slot[n]; }

  Value Constant(double x) {
    tape_.cells.push_back(x);
    slot_varies_.push_back(false);
    return static_cast<int>(tape_.cells.size()) - 1;
  }
  Value Load(int v) {
    const int dst = NewSlot(varies_[Index(v)]);
    Step(TapeStep::Kind::kLoad, 0, dst, v);
    return dst;
  }
  Value Binary(int op, Value x, Value y) {
    const int dst = NewSlot(slot_varies_[x] || slot_varies_[y]);
    Step(TapeStep::Kind::kBinary, op, dst, x, y);
    return dst;
  }
  Value Function(const CallForm& form, const Args& args, const SourceLocation& call) {
    const int c = Call(form, args, call);
    // A function that stores into variables is never taken as fixed.
    const bool stores = std::strchr(form.kinds, 'V') != nullptr;
    if (stores) {
      for (int i = 0; i < CallArgs::kMaxVar; ++i) {
        if (args.var[i] != 0) varies_[Index(args.var[i])] = true;
      }
    }
    const int dst = NewSlot(stores || !tape_.calls[c].fixed);
    Step(TapeStep::Kind::kFunction, 0, dst, c);
    return dst;
  }
  void Statement(const CallForm& form, const Args& args, const SourceLocation& call) {
    const int c = Call(form, args, call);
    const bool varies = !tape_.calls[c].fixed;
    // Its output variables take what it gives; what it leaves in the
    // session (keys, the Enigma machine) may reach every later call.
    for (int i = 0; i < CallArgs::kMaxVar; ++i) {
      if (args.var[i] != 0) varies_[Index(args.var[i])] = varies;
    }
    if (varies) state_varies_ = true;
    const bool only_text = OnlyWritesText(form.binding.statement);
    tape_.calls[static_cast<size_t>(c)].only_text = only_text;
    if (!only_text) tape_.calls_statements = true;
    Step(TapeStep::Kind::kStatement, 0, 0, c);
  }
  void Declare(int v) {
    const int place = rt_.vars.StartPlace(v);
    varies_[Index(v)] = place >= 0;
    Step(TapeStep::Kind::kDeclare, 0, 0, v, place + 1);
  }
  void Assign(int v, Value x, const SourceLocation& name) {
    varies_[Index(v)] = slot_varies_[x];
    tape_.names.push_back(name);
    Step(TapeStep::Kind::kAssign, 0, static_cast<int>(tape_.names.size()) - 1, v, x);
  }
  void WriteNumber(Value x, double precision) {
    Step(TapeStep::Kind::kWriteNumber, 0, 0, x, Constant(precision));
  }
  void WriteString(const StringArg& text) {
    tape_.texts.push_back(text);
    Step(TapeStep::Kind::kWriteString, 0, 0, static_cast<int>(tape_.texts.size()) - 1);
  }
  void WriteNewline() { Step(TapeStep::Kind::kNewline); }
  void Setting(int terminal, Value x) {
    if (slot_varies_[x]) state_varies_ = true;
    Step(TapeStep::Kind::kSetting, terminal, 0, x);
  }
  void ReportError(int number) {
    failed_ = true;
    rt_.ReportError(number);
  }
  void WarnWhileReading() { warned_ = true; }

 private:
  static size_t Index(int v) {
    return v >= 0 && v < Variables::kSlots ? static_cast<size_t>(v) : 0;
  }
  int NewSlot(bool varies) {
    tape_.cells.push_back(0.0);
    slot_varies_.push_back(varies);
    return static_cast<int>(tape_.cells.size()) - 1;
  }
  void Step(TapeStep::Kind kind, int op = 0, int dst = 0, int a = 0, int b = 0) {
    // Only a value step has a slot of its own to keep.
    const bool value = kind == TapeStep::Kind::kLoad || kind == TapeStep::Kind::kBinary ||
                       kind == TapeStep::Kind::kFunction;
    tape_.steps.push_back({kind, value && !slot_varies_[static_cast<size_t>(dst)], op, dst, a, b});
  }
  int Call(const CallForm& form, const Args& args, const SourceLocation& call) {
    TapeCall c;
    c.form = &form;
    c.args = args;
    // A call that reads variables by name may read a value tried.
    bool varies = state_varies_ || (form.binding.kind == Binding::Kind::kStatement
                                        ? ReadsVariables(form.binding.statement)
                                        : ReadsVariables(form.binding.function));
    for (const char* k = form.kinds; *k != '\0'; ++k) {
      if (*k == 'N' || *k == ':') {
        c.inputs[c.numbers] = args.slot[c.numbers];
        varies = varies || slot_varies_[args.slot[c.numbers]];
        ++c.numbers;
      }
    }
    c.call = call;
    c.lookahead = *sc_.lookahead_location();
    c.before = sc_.current();
    c.site = rt_.diagnostics.site();
    c.delivered = rt_.diagnostics.delivered();
    c.fixed = !varies;
    tape_.calls.push_back(std::move(c));
    return static_cast<int>(tape_.calls.size()) - 1;
  }

  Runtime& rt_;
  const Scanner& sc_;
  Tape& tape_;
  std::vector<bool> varies_;       // per variable number, as the steps so far leave it
  std::vector<bool> slot_varies_;  // per slot
  bool state_varies_ = false;      // a call or setting before took values that vary
  bool failed_ = false;
  bool warned_ = false;
};

}  // namespace orbelin
