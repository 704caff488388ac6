// Which variables of a script are its unknowns: the ones a value search is
// for. A formula final declares its letters and never sets them; the names
// it computes (LAT, LON, a checksum) are set by a statement. A dialog
// suggests digits for the first kind only.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orbelin {

// The names of the script's VAR line (Windows-1252) that no statement
// sets, in their order: not the target of an assignment, nor a variable
// handed to a library statement (which may write its results into it).
std::vector<std::string> UnsetVariables(std::string_view source);

}  // namespace orbelin
