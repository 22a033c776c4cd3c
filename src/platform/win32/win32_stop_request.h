#pragma once

#include "platform/stop_request.h"

namespace nav::win32 {

// A named event per process, "Local\nav_manager.stop.<process id>": a later
// start sets the running instance's event (found through the owner of its
// marker window) just before it sends the close request, and resets it again
// when that request was not handled in time. Nothing else counts as a stop:
// messages that other programs send meanwhile (a system broadcast of a
// changed setting, time or device) leave a tick to complete.
class Win32StopRequest : public platform::StopRequest {
 public:
  // Makes this process's event, so that a stop can be asked for as soon as
  // the marker window exists.
  Win32StopRequest();
  ~Win32StopRequest() override;
  Win32StopRequest(const Win32StopRequest&) = delete;
  Win32StopRequest& operator=(const Win32StopRequest&) = delete;

  bool StopRequested() override;
  void RequestStopOf(platform::WindowHandle window) override;
  void WithdrawStopOf(platform::WindowHandle window) override;

 private:
  void* event_;
};

}  // namespace nav::win32
