// One option with a value on the command line, in both Unix spellings.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orbelin::cli {

// Reads "--name VALUE" or "--name=VALUE" at args[*i] (moving *i past the
// value); false when the argument is not this option. A missing value sets
// *missing.
inline bool OptionValue(const std::vector<std::string>& args, size_t* i, std::string_view name,
                        std::string* value, bool* missing) {
  const std::string_view a = args[*i];
  if (a == name) {
    if (*i + 1 >= args.size()) {
      *missing = true;
      return true;
    }
    *value = args[++*i];
    return true;
  }
  if (a.size() > name.size() && a.starts_with(name) && a[name.size()] == '=') {
    *value = std::string(a.substr(name.size() + 1));
    return true;
  }
  return false;
}

}  // namespace orbelin::cli
