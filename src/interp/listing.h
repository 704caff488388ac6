// The listing: the numbered source lines with every diagnostic marked under
// the token it was reported at.
#pragma once

#include <string_view>
#include <vector>

#include "interp/diagnostics.h"

namespace orbelin {

class StringSink;
class TextSink;

// Writes "Listing:", each source line that ends with a line feed as
// "%5d  %s" (carriage returns dropped, tabs expanded to the scanner's
// columns), under it the caret lines of its errors, the errors beyond the
// listed lines after a bare line number, and the count. Lines are written
// whole however long they are.
void WriteListing(StringSink& out, std::string_view source,
                  const std::vector<ErrorRecord>& records);

// The error lines that close the results: "Line %d, Col %d: " and the
// message, one per record.
void WriteErrorLines(TextSink& out, const std::vector<ErrorRecord>& records);

}  // namespace orbelin
