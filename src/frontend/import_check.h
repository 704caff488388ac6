// How a file that the user offers as a script is judged before it becomes
// one: a script is text, and whatever follows a NUL byte never reaches the
// box. A front end that imports a file says what it found instead of taking
// a photo as a script or dropping text without a word.
#pragma once

#include <string>
#include <string_view>

#include "frontend/save_rules.h"

namespace orbelin {

struct ImportVerdict {
  // Not text: more than one byte in a hundred is a control code that no
  // typed script holds (the first NUL, where a saved script ends, aside),
  // or it is UTF-16. Taken only when the user insists.
  bool binary = false;
  // Text after a NUL byte, which the box will not show.
  NulTail tail;
  // What to tell the user about the file, "" when it is a plain script.
  std::string note;
};

// `name` is the file's name as the user knows it; `bytes` its content.
ImportVerdict JudgeImport(std::string_view name, std::string_view bytes);

}  // namespace orbelin
