#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"
#include "shell/shell_state.h"

namespace nav {

// The timer that drives the tick.
inline constexpr std::uint32_t kTickTimerId = 7123;
inline constexpr std::uint32_t kTickPeriodMs = 38000;

// One tick: finds the navigator, asks it for the position, tells it to use
// its day or night colour scheme and, at its cadence, makes it flash the
// greeting.
void OnTick(platform::Platform& platform, ShellState& state);

// True while the navigator's main window exists (class and title both match).
bool IsNavigatorRunning(platform::WindowManager& windows);

// Sends one command through the channel, leaving the reply's fields in the
// command list; returns the channel's result (FileCallChannel::kRequestNotSent
// when there is no channel).
std::int32_t SendCommand(ShellState& state, const std::wstring& command);

}  // namespace nav
