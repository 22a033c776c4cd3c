#pragma once

#include "platform/window_system.h"

namespace nav::platform {

// Whether the program has been asked to stop while it is busy: a long tick
// asks it between its waits for the navigator, so that a stop goes through
// without waiting out the navigator.
class StopRequest {
 public:
  virtual ~StopRequest() = default;

  // True while a request to stop the program waits for the message loop.
  virtual bool StopRequested() = 0;
  // Asks the process that owns `window` (the running instance's marker) to
  // stop waiting: its StopRequested answers true from then on. A later start
  // does this just before it sends the close request. Where it does nothing
  // (the default), that close request is read only by the message loop, so
  // the later start waits for a tick in progress to end; a stop that reaches
  // the process itself (a stop signal) still ends its wait for the navigator
  // at the next poll.
  virtual void RequestStopOf(WindowHandle /*window*/) {}
  // Takes back a RequestStopOf(window) whose close request was not handled in
  // time: the instance, once it wakes, runs on and its ticks wait for the
  // navigator again instead of giving up at their first look.
  virtual void WithdrawStopOf(WindowHandle /*window*/) {}
};

}  // namespace nav::platform
