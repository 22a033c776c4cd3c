#include "platform/posix/stop_signal_capture.h"

#include <sys/signalfd.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include "platform/posix/stop_signals.h"

namespace nav::posix {

bool StopSignalCapture::Capture() {
  if (signals_.Valid()) {
    return true;
  }
  const sigset_t set = StopSignals();
  if (::sigprocmask(SIG_BLOCK, &set, nullptr) != 0) {
    return false;
  }
  signals_.Reset(::signalfd(-1, &set, SFD_CLOEXEC | SFD_NONBLOCK));
  if (!signals_.Valid()) {
    const int error = errno;
    ::sigprocmask(SIG_UNBLOCK, &set, nullptr);
    errno = error;
    return false;
  }
  return true;
}

void StopSignalCapture::Release() {
  if (!signals_.Valid()) {
    return;
  }
  signals_.Reset();
  const sigset_t set = StopSignals();
  ::sigprocmask(SIG_UNBLOCK, &set, nullptr);
}

bool StopSignalCapture::TakePending() {
  signalfd_siginfo info{};
  bool any = false;
  while (::read(signals_.Get(), &info, sizeof info) == sizeof info) {
    any = true;
  }
  return any;
}

}  // namespace nav::posix
