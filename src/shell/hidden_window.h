#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace nav {

// The class of the hidden window; a window of this class, whatever its title,
// marks a running instance.
inline constexpr wchar_t kMarkerClassName[] = L"KW5";
inline constexpr int kMarkerIconResource = 105;

// Creates the marker window, visible at (10,10) with size 50 by 50 as the
// window manager expects a first window, and hides it at once. kNoWindow when
// it could not be created.
platform::WindowHandle CreateHiddenWindow(platform::Platform& platform);

// The marker window's procedure: a destroyed window ends the message loop
// with exit code 0, painting draws nothing, and everything else (a close
// request included) gets the default handling.
std::intptr_t HiddenWindowProc(platform::Platform& platform, platform::WindowHandle window,
                               std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);

}  // namespace nav
