#pragma once

#include <cstdint>

// Message numbers, with the values of the handheld's window manager. Each is
// defined only where the system's own headers have not defined it already.
#ifndef WM_DESTROY
inline constexpr std::uint32_t WM_DESTROY = 0x0002;
#endif
#ifndef WM_PAINT
inline constexpr std::uint32_t WM_PAINT = 0x000F;
#endif
#ifndef WM_CLOSE
inline constexpr std::uint32_t WM_CLOSE = 0x0010;
#endif
#ifndef WM_QUIT
inline constexpr std::uint32_t WM_QUIT = 0x0012;
#endif
#ifndef WM_TIMER
inline constexpr std::uint32_t WM_TIMER = 0x0113;
#endif
#ifndef WS_VISIBLE
inline constexpr std::uint32_t WS_VISIBLE = 0x10000000;
#endif
