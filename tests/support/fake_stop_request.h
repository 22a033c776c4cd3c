#pragma once

#include <functional>
#include <utility>
#include <vector>

#include "platform/stop_request.h"

namespace nav::testing {

// Stands for a stop request that waits for the message loop: one made before
// the code under test runs, or one that arrives while it runs.
class FakeStopRequest : public platform::StopRequest {
 public:
  bool StopRequested() override { return requested_ || (arrived_ && arrived_()); }

  // Stop requests this start made of running instances, by their markers.
  void RequestStopOf(platform::WindowHandle window) override { requestedOf.push_back(window); }
  void WithdrawStopOf(platform::WindowHandle window) override { withdrawnOf.push_back(window); }

  void Request() { requested_ = true; }
  // The stop is there from the first look at which `arrived` holds.
  void ArrivesWhen(std::function<bool()> arrived) { arrived_ = std::move(arrived); }

  std::vector<platform::WindowHandle> requestedOf;
  std::vector<platform::WindowHandle> withdrawnOf;

 private:
  bool requested_ = false;
  std::function<bool()> arrived_;
};

}  // namespace nav::testing
