#pragma once

#include "platform/platform.h"
#include "shell/shell_state.h"

namespace nav {

// The whole life of the process: either stops the running instance and
// returns, or claims the marker, announces the start, ticks every 38 s and
// runs the message loop until the marker window is closed. Returns the
// process's exit code: 0 for a run or a stop, 1 when the marker window or the
// timer cannot be made, or the running instance does not answer its close
// request.
int RunNavManager(platform::Platform& platform, ShellState& state);

}  // namespace nav
