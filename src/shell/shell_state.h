#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "filecall/command_list.h"
#include "filecall/file_call_channel.h"
#include "platform/window_system.h"

namespace nav {

// Everything the running program keeps for the life of the process. The
// program's main creates the one instance in static storage; the start-up,
// the tick and the day/night decision work on it.
struct ShellState {
  // Every command goes in through element 0; afterwards it holds the reply.
  CommandList commandList;
  // Sunrise and sunset of the latest decision, as a greeting-style text.
  std::wstring statusText = L"-*-";
  // Valid ticks towards the next greeting, 0 to 24.
  std::uint32_t tickCounter = 0;
  // The one channel to the navigator, created at start-up.
  std::unique_ptr<FileCallChannel> channel;
  // The hidden window that marks this running instance.
  platform::WindowHandle markerWindow = platform::kNoWindow;
};

}  // namespace nav
