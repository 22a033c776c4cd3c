#pragma once

#include "platform/stop_request.h"

namespace nav::win32 {

// A message that another thread or process is sending to this thread: the
// only window here is the marker, and what others send it is the close
// request of a later start.
class Win32StopRequest : public platform::StopRequest {
 public:
  bool StopRequested() override;
};

}  // namespace nav::win32
