#pragma once

namespace nav::platform {

// Whether the program has been asked to stop while it is busy: a long tick
// asks it between its waits for the navigator, so that a stop goes through
// without waiting out the navigator.
class StopRequest {
 public:
  virtual ~StopRequest() = default;

  // True while a request to stop the program waits for the message loop.
  virtual bool StopRequested() = 0;
};

}  // namespace nav::platform
