// What a cipher of the letters A to Z says of the characters it leaves out
// that may be meant as letters or numbers: accented letters, ß and digits.
// Blanks and punctuation go without a word.
#pragma once

#include <string_view>
#include <vector>

#include "text/text_notice.h"

namespace orbelin {

// A warning naming them, each once, with `place` the cipher's table ("the
// square"); nothing when there are none.
std::vector<TextNotice> LeftOutNotices(std::string_view text, std::string_view place);

}  // namespace orbelin
