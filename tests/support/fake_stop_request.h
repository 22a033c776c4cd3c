#pragma once

#include <functional>
#include <utility>

#include "platform/stop_request.h"

namespace nav::testing {

// Stands for a stop request that waits for the message loop: one made before
// the code under test runs, or one that arrives while it runs.
class FakeStopRequest : public platform::StopRequest {
 public:
  bool StopRequested() override { return requested_ || (arrived_ && arrived_()); }

  void Request() { requested_ = true; }
  // The stop is there from the first look at which `arrived` holds.
  void ArrivesWhen(std::function<bool()> arrived) { arrived_ = std::move(arrived); }

 private:
  bool requested_ = false;
  std::function<bool()> arrived_;
};

}  // namespace nav::testing
