#include "terminal_host.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "text/cp1252.h"

namespace orbelin {

void TerminalHost::ShowError(const std::string& text) {
  const int error = errno;
  // The run names the file it could not open; say which one and why.
  if (text == names_.script) {
    std::fprintf(stderr, "orbelin: cannot read script '%s': %s\n", text.c_str(),
                 std::strerror(error));
  } else if (text == names_.results) {
    std::fprintf(stderr, "orbelin: cannot write results '%s': %s\n", text.c_str(),
                 std::strerror(error));
  } else {
    std::string shown = encoding_ == TerminalEncoding::kUtf8 ? Cp1252ToUtf8(text) : text;
    std::fputs(shown.c_str(), stderr);
  }
}

void TerminalHost::Show(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) {
    std::fprintf(stderr, "orbelin: cannot read '%s': %s\n", path.c_str(), std::strerror(errno));
    return;
  }
  std::string bytes;
  char chunk[1 << 16];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) bytes.append(chunk, n);
  std::fclose(f);
  if (encoding_ == TerminalEncoding::kUtf8) bytes = Cp1252ToUtf8(bytes);
  std::fwrite(bytes.data(), 1, bytes.size(), stdout);
  std::fflush(stdout);
}

}  // namespace orbelin
