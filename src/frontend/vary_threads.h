// The value search on several threads: each worker takes slices of the
// combinations and runs them in sessions of its own. Not in the WebAssembly
// build, which has no threads; RunVary comes here for more than one worker.
#pragma once

#include "frontend/vary_runner.h"

namespace orbelin {

VaryOutcome RunVaryOnThreads(const VaryPlan& plan, const VaryControl& control);

}  // namespace orbelin
