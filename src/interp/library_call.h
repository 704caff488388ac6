// What a library statement, output item or function binding receives.
//
// The parser reads a call's arguments in the order its terminal row gives
// (N numeric expression, S string literal, V output variable) and hands them
// over by kind: the i-th N is num[i], the i-th S is str[i], the i-th V is
// var[i]. Bindings reach the session's state through Runtime, by reference.
#pragma once

#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/result_stream.h"
#include "interp/diagnostics.h"
#include "interp/hand_off_point.h"
#include "interp/run_result.h"
#include "interp/variables.h"

namespace orbelin {

struct TextState;

// A string literal's text: at most 253 bytes in a 255-byte buffer.
struct StringArg {
  static constexpr size_t kCapacity = 255;
  char text[kCapacity] = {};
  size_t length = 0;

  void Assign(std::string_view s) {
    length = s.size() < kCapacity - 1 ? s.size() : kCapacity - 1;
    if (length > 0) std::memcpy(text, s.data(), length);
    text[length] = '\0';
  }
  std::string_view view() const { return {text, length}; }
};

struct CallArgs {
  static constexpr int kMaxNum = 12;
  static constexpr int kMaxStr = 4;
  static constexpr int kMaxVar = 4;
  double num[kMaxNum] = {};
  StringArg str[kMaxStr];
  int var[kMaxVar] = {};
};

class FinalPatternMemo;

// The state a handler may use, all owned by the session.
struct Runtime {
  ResultStream& out;
  Variables& vars;
  Diagnostics& diagnostics;
  TextState& text;
  HandOffPoint& point;
  std::vector<RunNote>& notes;
  int debug = 0;  // DEBUG setting of the current run; not 0 means traces on
  // The keyword of the library call that runs, where its warnings point.
  SourceLocation call;
  // Whether an OLAT or OLON statement of this run has set the point.
  bool point_set = false;
  // Where a script run again and again keeps the formula final it read;
  // none for a single run.
  FinalPatternMemo* finals = nullptr;

  void ReportError(int number) { diagnostics.Report(number); }
  // An input the call cannot take: error `number` in the results and the
  // listing like every error, and `detail` (what is wrong with it and what
  // to write) as its hint on the screen.
  void Refuse(int number, std::string detail) { diagnostics.Report(number, std::move(detail)); }
  // A warning or a note of the running call, for the front ends to show.
  void Warn(std::string message, std::string hint = "") {
    notes.push_back({RunNote::Kind::kWarning, call, std::move(message), std::move(hint)});
  }
  void Note(std::string message, std::string hint = "") {
    notes.push_back({RunNote::Kind::kNote, call, std::move(message), std::move(hint)});
  }
  // Stores a result or an assignment. A variable given a start value for
  // the run warns once, at `call`, when the script overrides that value.
  void SetValue(int v, double x) {
    vars.Set(v, x);
    if (vars.FirstAssignmentOfStarted(v)) WarnStartOverridden(v);
  }
  void WarnStartOverridden(int v) {
    const std::string& name = vars.names()[static_cast<size_t>(v) - 1];
    Warn(name + " is being tried, but the script assigns it here",
         "the assignment wins: take it out to try the values of " + name);
  }
  // Where the DEBUG traces go: the results while DEBUG is on, else nowhere.
  TextSink* trace() const { return debug != 0 ? &out : nullptr; }
};

using StatementHandler = void (*)(Runtime&, const CallArgs&);
using FunctionHandler = double (*)(Runtime&, const CallArgs&);

}  // namespace orbelin
