#include "window/display_name.h"

#include <cctype>

namespace orbelin {

namespace {

// The digits' value as text without leading zeros, or "" for no digits.
std::string Number(std::string_view digits) {
  if (digits.empty()) return "";
  for (char c : digits) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return "";
  }
  const size_t first = digits.find_first_not_of('0');
  return first == std::string_view::npos ? "0" : std::string(digits.substr(first));
}

}  // namespace

std::string NormalX11Display(std::string_view name) {
  std::string_view rest = name;
  std::string host;
  // "unix/" names the local socket; "tcp/" and "inet/" a host.
  bool local = false;
  if (const size_t slash = rest.find('/'); slash != std::string_view::npos) {
    local = rest.substr(0, slash) == "unix";
    rest.remove_prefix(slash + 1);
  }
  const size_t colon = rest.rfind(':');
  if (colon == std::string_view::npos) return std::string(name);
  host = std::string(rest.substr(0, colon));
  if (local || host == "unix") host.clear();
  std::string_view display = rest.substr(colon + 1);
  std::string_view screen = "0";
  if (const size_t dot = display.find('.'); dot != std::string_view::npos) {
    screen = display.substr(dot + 1);
    display = display.substr(0, dot);
  }
  const std::string number = Number(display);
  const std::string screen_number = Number(screen);
  if (number.empty() || screen_number.empty()) return std::string(name);
  return host + ":" + number + "." + screen_number;
}

std::string NormalWaylandDisplay(std::string_view name, std::string_view runtime_dir) {
  const std::string socket = name.empty() ? "wayland-0" : std::string(name);
  if (socket.front() == '/') return socket;
  return std::string(runtime_dir) + "/" + socket;
}

}  // namespace orbelin
