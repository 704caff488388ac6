// Text pasted into a script box, as the user meant it: coordinates copied
// from web pages carry no-break spaces between their parts (which look like
// blanks but are none to the language) and prime signs for minutes and
// seconds (which a script file cannot hold at all). The window and the page
// hand every paste through here; typed text is left as it is.
#pragma once

#include <string>
#include <string_view>

namespace orbelin {

// `text` (UTF-8) with the no-break spaces (U+00A0, U+202F, U+2007) made
// blanks and the prime signs ′ and ″ (U+2032, U+2033) made ' and ".
std::string PastedText(std::string_view text);

}  // namespace orbelin
