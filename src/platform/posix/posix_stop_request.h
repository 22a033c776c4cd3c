#pragma once

#include "platform/stop_request.h"

namespace nav::posix {

// A stop signal (TERM, INT, HUP) is blocked until the message loop reads
// it, so one that has come stays pending until then.
class PosixStopRequest : public platform::StopRequest {
 public:
  bool StopRequested() override;
};

}  // namespace nav::posix
