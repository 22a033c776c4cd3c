#include "platform/posix/poll_loop.h"

#include <poll.h>
#include <sys/timerfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>
#include <vector>

namespace nav::posix {
namespace {

using platform::kNoWindow;
using platform::Message;
using platform::WindowHandle;

// How long the listeners rest when no descriptor is left to accept with.
constexpr int kAcceptRestMs = 500;

}  // namespace

PollLoop::PollLoop(WindowTable& windows, StopSignalCapture& signals)
    : windows_(windows), signals_(signals) {}

bool PollLoop::SetTimer(std::uint32_t timerId, std::uint32_t periodMs,
                        platform::TimerProcedure procedure, std::string& failure) {
  ScopedFd fd(::timerfd_create(CLOCK_MONOTONIC, TFD_CLOEXEC | TFD_NONBLOCK));
  if (!fd.Valid()) {
    failure = std::string("cannot make its timer: ") + std::strerror(errno);
    return false;
  }
  const std::uint32_t period = std::max<std::uint32_t>(periodMs, 1);
  itimerspec schedule{};
  schedule.it_interval.tv_sec = static_cast<time_t>(period / 1000);
  schedule.it_interval.tv_nsec = static_cast<long>(period % 1000) * 1000000L;
  schedule.it_value = schedule.it_interval;
  if (::timerfd_settime(fd.Get(), 0, &schedule, nullptr) != 0) {
    failure = std::string("cannot set its timer: ") + std::strerror(errno);
    return false;
  }
  // The same identifier again replaces the timer, as on the handheld.
  Timer& timer = timers_[timerId];
  timer.fd = std::move(fd);
  timer.procedure = std::move(procedure);
  timer.pending = false;
  return true;
}

void PollLoop::WatchReadable(int fd, std::function<void()> onReadable) {
  watchedFds_[fd] = std::move(onReadable);
}

bool PollLoop::NextMessage(Message& message) {
  for (;;) {
    if (!posted_.empty()) {
      message = posted_.front();
      posted_.pop_front();
      return true;
    }
    if (quitCode_) {
      message = Message{kNoWindow, WM_QUIT, static_cast<std::uintptr_t>(*quitCode_), 0};
      quitCode_.reset();
      return false;
    }
    // Timer messages come last, when nothing else is waiting.
    for (auto& [id, timer] : timers_) {
      if (timer.pending) {
        timer.pending = false;
        message = Message{kNoWindow, WM_TIMER, id, 0};
        return true;
      }
    }
    WaitForEvents();
  }
}

void PollLoop::WaitForEvents() {
  enum class Source { kSignals, kTimer, kWindow, kWatched };
  struct Watched {
    Source source;
    std::uintptr_t key;  // timer identifier or window handle
  };
  std::vector<pollfd> fds;
  std::vector<Watched> watched;
  if (signals_.Descriptor() >= 0) {
    fds.push_back({signals_.Descriptor(), POLLIN, 0});
    watched.push_back({Source::kSignals, 0});
  }
  for (const auto& [id, timer] : timers_) {
    fds.push_back({timer.fd.Get(), POLLIN, 0});
    watched.push_back({Source::kTimer, id});
  }
  if (!listenersResting_) {
    for (const WindowTable::Listener& listener : windows_.Listeners()) {
      fds.push_back({listener.fd, POLLIN, 0});
      watched.push_back({Source::kWindow, listener.window});
    }
  }
  for (const auto& [fd, onReadable] : watchedFds_) {
    fds.push_back({fd, POLLIN, 0});
    watched.push_back({Source::kWatched, static_cast<std::uintptr_t>(fd)});
  }
  const int timeoutMs = listenersResting_ ? kAcceptRestMs : -1;
  listenersResting_ = false;
  const int ready = ::poll(fds.data(), fds.size(), timeoutMs);
  if (ready < 0) {
    // Interrupted: look again. Any other failure would only repeat at full
    // speed; the loop ends instead, with a failure code.
    if (errno != EINTR) PostQuitMessage(1);
    return;
  }

  for (std::size_t i = 0; i < fds.size(); ++i) {
    if (fds[i].revents == 0) {
      continue;
    }
    switch (watched[i].source) {
      case Source::kSignals:
        PostCloseRequests();
        break;
      case Source::kTimer: {
        // However many periods have passed, the timer is due once.
        const auto timer = timers_.find(static_cast<std::uint32_t>(watched[i].key));
        std::uint64_t expirations = 0;
        if (timer != timers_.end() && timer->second.fd.Get() == fds[i].fd &&
            ::read(fds[i].fd, &expirations, sizeof expirations) == sizeof expirations) {
          timer->second.pending = true;
        }
        break;
      }
      case Source::kWindow:
        if (!windows_.ServeConnection(watched[i].key, fds[i].fd)) listenersResting_ = true;
        break;
      case Source::kWatched: {
        const auto watch = watchedFds_.find(fds[i].fd);
        if (watch != watchedFds_.end()) watch->second();
        break;
      }
    }
  }
}

void PollLoop::PostCloseRequests() {
  if (!signals_.TakePending()) {
    return;
  }
  // A stop request from outside is a close request to our windows.
  for (const WindowHandle window : windows_.OpenOwnWindows()) {
    posted_.push_back({window, WM_CLOSE, 0, 0});
  }
}

std::intptr_t PollLoop::Dispatch(const Message& message) {
  if (message.id == WM_TIMER && message.window == kNoWindow) {
    const auto timer = timers_.find(static_cast<std::uint32_t>(message.wParam));
    if (timer == timers_.end() || !timer->second.procedure) {
      return 0;
    }
    const platform::TimerProcedure procedure = timer->second.procedure;
    procedure();
    return 0;
  }
  return windows_.Deliver(message.window, message.id, message.wParam, message.lParam);
}

void PollLoop::PostQuitMessage(int exitCode) { quitCode_ = exitCode; }

}  // namespace nav::posix
