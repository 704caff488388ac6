// The few X11 calls of the hand-off: find a top-level window by its WM_CLASS
// class, send it a client message, bring it to the front. Each call opens its
// own connection to the display that the application runs on, and ignores
// X errors (a window may vanish between two calls). Without an X11 display
// nothing is found and nothing is sent.
#pragma once

#include <cstdint>
#include <string>

namespace orbelin {

// 0 when there is no such window or no X11 display.
std::uint64_t FindX11WindowByClass(const std::string& class_name);

// The atom of the client messages that carry a message number and its two
// parameters, in this order, as format-32 data.
inline constexpr const char* kWindowMessageAtom = "ORBELIN_WINDOW_MESSAGE";

void SendX11WindowMessage(std::uint64_t window, long message, std::uint64_t param, long param2);

// Raises the window and gives it the input focus, and asks a window manager
// to activate it.
void ActivateX11Window(std::uint64_t window);

// The name of the X display the application runs on, as it was opened (by
// $DISPLAY or -display); "" without one.
std::string X11DisplayName();

// Sets the WM_CLASS class of a window, keeping its instance name.
void SetX11WindowClass(std::uint64_t window, const std::string& instance,
                       const std::string& class_name);

}  // namespace orbelin
