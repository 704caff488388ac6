#include "interp/bindings.h"
#include "interp/errors.h"
#include "linalg/lin3.h"

namespace orbelin {

// Stores the solution, or reports the system unsolvable and leaves the
// variables as they were.
void HandleLin3(Runtime& rt, const CallArgs& a) {
  double x, y, z;
  if (!SolveLin3(a.num, &x, &y, &z)) {
    rt.ReportError(kErrUnsolvable);
    return;
  }
  rt.SetValue(a.var[0], x);
  rt.SetValue(a.var[1], y);
  rt.SetValue(a.var[2], z);
}

}  // namespace orbelin
