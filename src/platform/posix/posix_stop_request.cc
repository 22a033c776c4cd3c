#include "platform/posix/posix_stop_request.h"

#include <csignal>

#include "platform/posix/stop_signals.h"

namespace nav::posix {

bool PosixStopRequest::StopRequested() {
  sigset_t pending;
  if (::sigpending(&pending) != 0) return false;
  const sigset_t stops = StopSignals();
  for (int signal = 1; signal < NSIG; ++signal) {
    if (::sigismember(&stops, signal) == 1 && ::sigismember(&pending, signal) == 1) return true;
  }
  return false;
}

}  // namespace nav::posix
