#pragma once

#include "platform/stop_request.h"

namespace nav::testing {

// Stands for a stop request that waits for the message loop.
class FakeStopRequest : public platform::StopRequest {
 public:
  bool StopRequested() override { return requested_; }

  void Request() { requested_ = true; }

 private:
  bool requested_ = false;
};

}  // namespace nav::testing
