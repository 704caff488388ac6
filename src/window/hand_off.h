// Handing the script's point to the moving-map program: the point goes into
// an exchange file, then the map program's window gets a message naming our
// window and is brought to the front.
#pragma once

#include <string>
#include <system_error>

#include "window/platform.h"

namespace orbelin {

inline constexpr const char* kMapWindowClass = "OziExplorer";
inline constexpr const char* kExchangeFileName = "apidata1.$$$";
inline constexpr long kHandOffMessage = 1024 + 5;  // first application message + 5
inline constexpr long kHandOffCode = 110;

enum class SendResult { kSent = 0, kNotRunning = 1, kCannotWrite = 2 };

// The exchange file in the hand-off folder; an empty folder means the root.
std::string ExchangeFilePath(const std::string& hand_off_folder);

// Finds the map program's window first, so nothing is written when it does
// not run; then writes the exchange file, sends the message and brings the
// window to the front. The file is never written through a symbolic link
// in its place; why it could not be written goes to *error.
SendResult SendPoint(Platform& platform, double lat, double lon, const std::string& hand_off_folder,
                     std::error_code* error = nullptr);

}  // namespace orbelin
