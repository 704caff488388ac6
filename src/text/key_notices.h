// What the cipher keys do with input other than the plain letters the
// ciphers are made for. The ciphers keep their results; these say what the
// key does instead.
#pragma once

#include <string_view>
#include <vector>

#include "text/text_notice.h"

namespace orbelin {

// A Vigenère or running key (set by `keyword`, VIGI or SUBSTRI): an empty
// key, and characters that are no letters yet count as key letters.
std::vector<TextNotice> KeyNotices(std::string_view keyword, std::string_view key);

// A keyed alphabet (TRANSI): small letters, which count for nothing, places
// beyond a short alphabet, capitals missing or twice, characters after the
// 26th.
std::vector<TextNotice> AlphabetNotices(std::string_view alphabet);

}  // namespace orbelin
