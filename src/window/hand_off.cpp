#include "window/hand_off.h"

#include "frontend/file_io.h"
#include "frontend/point.h"

namespace orbelin {

std::string ExchangeFilePath(const std::string& hand_off_folder) {
  return hand_off_folder + "/" + kExchangeFileName;
}

SendResult SendPoint(Platform& platform, double lat, double lon, const std::string& hand_off_folder,
                     std::error_code* error) {
  WindowId map = platform.FindWindowByClass(kMapWindowClass);
  if (map == 0) return SendResult::kNotRunning;

  // The folder may be one that others write too: a link planted in the
  // file's place must not make the hand-off overwrite what it points to.
  if (std::error_code failed =
          ReplaceFile(ExchangeFilePath(hand_off_folder), ExchangeFileText(lat, lon),
                      {.sync = true, .follow_links = false})) {
    if (error != nullptr) *error = failed;
    return SendResult::kCannotWrite;
  }
  platform.SendWindowMessage(map, kHandOffMessage, platform.MainWindowId(), kHandOffCode);
  platform.BringToFront(map);
  return SendResult::kSent;
}

}  // namespace orbelin
