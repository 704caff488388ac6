// The interpreter as the window sees it: one run per Calc, and the point that
// scripts set for the hand-off. The program wraps its Session in it; tests
// put a fake in its place.
#pragma once

#include <string>

#include "interp/library_call.h"
#include "interp/session.h"

namespace orbelin {

class ScriptRunner {
 public:
  virtual ~ScriptRunner() = default;
  virtual void RunScript(const std::string& script_path, RunHost& host) = 0;
  virtual HandOffPoint hand_off_point() const = 0;
};

}  // namespace orbelin
