#include "shell/hand_off.h"

#include <cstdio>

namespace orbelin {

std::string ExchangeFilePath(const std::string& hand_off_folder) {
  return hand_off_folder + "/" + kExchangeFileName;
}

std::string ExchangeFileText(double lat, double lon) {
  char text[2 * 330];
  int n = std::snprintf(text, sizeof text, "%.6f\n%.6f\n", lat, lon);
  return std::string(text, n > 0 ? static_cast<size_t>(n) : 0);
}

SendResult SendPoint(Platform& platform, double lat, double lon,
                     const std::string& hand_off_folder) {
  WindowId map = platform.FindWindowByClass(kMapWindowClass);
  if (map == 0) return SendResult::kNotRunning;

  std::FILE* f = std::fopen(ExchangeFilePath(hand_off_folder).c_str(), "w");
  if (f == nullptr) return SendResult::kCannotWrite;
  std::string text = ExchangeFileText(lat, lon);
  bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  if (std::fclose(f) != 0) written = false;
  if (!written) return SendResult::kCannotWrite;

  platform.SendWindowMessage(map, kHandOffMessage, platform.MainWindowId(), kHandOffCode);
  platform.BringToFront(map);
  return SendResult::kSent;
}

}  // namespace orbelin
