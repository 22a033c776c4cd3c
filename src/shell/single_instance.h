#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace nav {

// Looks for a running instance. When there is one, stops it (see
// StopRunningInstance) and returns -1; otherwise registers the marker
// window's class and returns 1: this process is to run.
std::int32_t ClaimSingleInstance(platform::Platform& platform);

// Starts the end sound without waiting for it and sends the running
// instance's marker window a close request, which returns once that instance
// has handled it.
void StopRunningInstance(platform::Platform& platform, platform::WindowHandle marker);

}  // namespace nav
