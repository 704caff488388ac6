// UTF-8 <-> UTF-16, for the definition file's 16-bit units.
#pragma once

#include <string>
#include <string_view>

namespace orbelin {

// Invalid UTF-8 becomes U+FFFD, one per offending byte.
std::u16string Utf8ToUtf16(std::string_view utf8);
// An unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view utf16);

}  // namespace orbelin
