// A tape: the steps a run of a script takes, written down once by the
// parser's compiler mode (tape_compiler.h) and played again and again by a
// compiled script (compiled_script.h) without reading the text again.
//
// The language has no branches and no loops: which steps a run takes
// depends on the text alone, never on the values. Each step is what the
// evaluating parser does at that point, in the same order, so playing the
// tape gives the bytes a run gives.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "interp/catalogue.h"
#include "interp/diagnostics.h"
#include "interp/library_call.h"

namespace orbelin {

struct TapeStep {
  enum class Kind : uint8_t {
    kLoad,         // slot[dst] = variable a
    kBinary,       // slot[dst] = slot[a] op slot[b]; op is the operator's terminal
    kFunction,     // slot[dst] = calls[a] run
    kStatement,    // calls[a] run: a library statement or output item
    kDeclare,      // variable a as a declaration leaves it: start value b - 1, or 0
    kAssign,       // variable a = slot[b], warnings at names[dst]
    kWriteNumber,  // slot[a] with precision slot[b]
    kWriteString,  // texts[a]
    kNewline,
    kSetting,  // OLAT, OLON, DEBUG or MARGIN (op) = slot[a]
  };
  Kind kind;
  // A load, operation or function whose value is the same in every run:
  // once the first run has computed it, its slot holds it.
  bool fixed = false;
  int op = 0;
  int dst = 0;
  int a = 0;
  int b = 0;
};

// A library call with what it reads: its strings and output variables as
// the text gives them, its numbers from slots.
struct TapeCall {
  const CallForm* form = nullptr;
  CallArgs args;
  int inputs[CallArgs::kMaxNum] = {};  // the slots its numbers are in
  int numbers = 0;
  SourceLocation call;  // the keyword, where its warnings point
  // Where the parser stood when the call ran, which is where its errors
  // are located, and how many tokens it had read.
  SourceLocation lookahead;
  Token before;
  CallSite site;
  uint64_t delivered = 0;
  // True when neither its numbers nor anything before it depend on the
  // values tried: an error it reports comes in every run.
  bool fixed = false;
  // An output item that does nothing but write its text.
  bool only_text = false;
  // A fixed function whose first run said and wrote nothing: later runs
  // take the value its slot keeps.
  bool cached = false;
};

// A function gives a value and may report, warn or trace; it never changes
// what the session keeps (variables, the point, keys). So a function whose
// inputs and the state before it are the same in every run gives the same
// value in every run.
struct Tape {
  std::vector<TapeStep> steps;
  std::vector<double> cells;  // the slots: the constants filled in; the steps write the rest
  std::vector<TapeCall> calls;
  std::vector<StringArg> texts;
  std::vector<SourceLocation> names;
  // A library statement or item that may change the keys or the machine:
  // every run then starts them afresh.
  bool calls_statements = false;
};

}  // namespace orbelin
