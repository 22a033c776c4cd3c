#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace nav {

// What ClaimSingleInstance returns.
enum ClaimResult : std::int32_t {
  kInstanceClaimed = 1,          // this process is to run
  kRunningInstanceStopped = -1,  // another one ran and has been stopped
};

// Looks for a running instance. When there is one, stops it (see
// StopRunningInstance) and returns kRunningInstanceStopped; otherwise
// registers the marker window's class and returns kInstanceClaimed.
std::int32_t ClaimSingleInstance(platform::Platform& platform);

// Starts the end sound without waiting for it and sends the running
// instance's marker window a close request, which returns once that instance
// has handled it.
void StopRunningInstance(platform::Platform& platform, platform::WindowHandle marker);

}  // namespace nav
