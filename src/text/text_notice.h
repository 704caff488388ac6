// What the text library has to say about an input it takes otherwise than
// the user likely meant: the results stay as they are, the words go to the
// screen.
#pragma once

#include <string>

namespace orbelin {

struct TextNotice {
  enum class Kind { kWarning, kNote };
  Kind kind = Kind::kWarning;
  std::string message;  // Windows-1252, as it quotes the script's text
  std::string hint;     // what to write instead; "" where the message says it all
};

}  // namespace orbelin
