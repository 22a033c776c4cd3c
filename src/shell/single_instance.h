#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace nav {

// What ClaimSingleInstance returns.
enum ClaimResult : std::int32_t {
  kInstanceClaimed = 1,          // this process is to run
  kRunningInstanceStopped = -1,  // another one ran and has been stopped
  // Another one runs but did not handle the close request in time: it hangs
  // and has been left alone.
  kRunningInstanceNotAnswering = -2,
};

// How long a start waits for the running instance to handle its close
// request: longer than the longest tick (three calls of about 30 s each), so
// that only a hung instance misses it.
inline constexpr std::uint32_t kCloseAnswerMs = 100000;

// Looks for a running instance. When there is one, stops it (see
// StopRunningInstance) and returns what that gave; otherwise registers the
// marker window's class and returns kInstanceClaimed.
std::int32_t ClaimSingleInstance(platform::Platform& platform);

// Starts the end sound without waiting for it, asks the running instance to
// stop waiting for the navigator, and sends its marker window a close
// request, which returns once that instance has handled it:
// kRunningInstanceStopped, or kRunningInstanceNotAnswering when it has not
// within kCloseAnswerMs (the request to stop waiting is then withdrawn).
std::int32_t StopRunningInstance(platform::Platform& platform, platform::WindowHandle marker);

}  // namespace nav
