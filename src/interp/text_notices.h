// The text library's words on an odd input, said at the running call.
#pragma once

#include <utility>
#include <vector>

#include "interp/library_call.h"
#include "text/text_notice.h"

namespace orbelin {

inline void Say(Runtime& rt, std::vector<TextNotice> notices) {
  for (TextNotice& n : notices) {
    if (n.kind == TextNotice::Kind::kNote) {
      rt.Note(std::move(n.message), std::move(n.hint));
    } else {
      rt.Warn(std::move(n.message), std::move(n.hint));
    }
  }
}

}  // namespace orbelin
