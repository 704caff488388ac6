// How the window speaks of files in its messages.
#pragma once

#include <string>
#include <system_error>

namespace orbelin {

// The name after the last '/', as the title bar and the questions show it.
inline std::string FileName(const std::string& path) {
  return path.substr(path.rfind('/') + 1);
}

// "Could not save /home/u/walk.inp: Permission denied."
inline std::string CouldNot(const char* verb, const std::string& path, std::error_code error) {
  return std::string("Could not ") + verb + " " + path + ": " + error.message() + ".";
}

}  // namespace orbelin
