#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "platform/posix/scoped_fd.h"
#include "platform/posix/stop_signal_capture.h"
#include "platform/posix/window_table.h"
#include "platform/window_system.h"

namespace nav::posix {

// The one thread's message loop: NextMessage blocks in poll() on the
// windows' sockets, the timers (timerfd), the captured stop signals and any
// descriptor watched for reading. Incoming sends are served inside
// NextMessage, as the handheld serves messages sent from another thread. A
// stop signal reaches every open window of `windows` as a posted WM_CLOSE.
class PollLoop {
 public:
  PollLoop(WindowTable& windows, StopSignalCapture& signals);

  // `failure` says why when the timer cannot be made.
  bool SetTimer(std::uint32_t timerId, std::uint32_t periodMs, platform::TimerProcedure procedure,
                std::string& failure);
  // While waiting for messages, also wait for `fd` to become readable and
  // then call `onReadable` on this thread. The caller keeps `fd` open while
  // watched.
  void WatchReadable(int fd, std::function<void()> onReadable);
  bool NextMessage(platform::Message& message);
  std::intptr_t Dispatch(const platform::Message& message);
  void PostQuitMessage(int exitCode);

 private:
  struct Timer {
    ScopedFd fd;
    platform::TimerProcedure procedure;
    bool pending = false;
  };

  void WaitForEvents();
  void PostCloseRequests();

  WindowTable& windows_;
  StopSignalCapture& signals_;
  std::map<std::uint32_t, Timer> timers_;
  std::deque<platform::Message> posted_;
  std::optional<int> quitCode_;
  std::map<int, std::function<void()>> watchedFds_;
  // Set when a connection could not be accepted for want of descriptors:
  // the listeners rest for a moment instead of waking the loop at once.
  bool listenersResting_ = false;
};

}  // namespace nav::posix
