#include "platform/posix/posix_window_system.h"

#include <poll.h>
#include <sys/signalfd.h>
#include <sys/socket.h>
#include <sys/timerfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/posix/message_line.h"
#include "platform/posix/paths.h"
#include "platform/posix/stop_signals.h"
#include "platform/posix/unix_socket.h"
#include "platform/posix/window_name.h"

namespace nav::posix {
namespace {

using platform::kNoWindow;
using platform::Message;
using platform::WindowHandle;

// A sender writes its one short line right after connecting; one that does
// not is given up on, so that it cannot hold the loop.
constexpr int kRequestTimeoutMs = 2000;
// How long the listeners rest when no descriptor is left to accept with.
constexpr int kAcceptRestMs = 500;
constexpr std::size_t kMaxLineLength = 96;

}  // namespace

PosixWindowSystem::PosixWindowSystem() : PosixWindowSystem(RuntimeDirectoryFromEnvironment()) {}

PosixWindowSystem::PosixWindowSystem(std::string registryDirectory)
    : registry_(std::move(registryDirectory)) {}

PosixWindowSystem::~PosixWindowSystem() {
  for (auto& [handle, window] : windows_) {
    if (window.owned) {
      registry_.Release(window.name, *window.owned);
    }
  }
}

PosixWindowSystem::Window* PosixWindowSystem::OwnWindow(WindowHandle window) {
  const auto found = windows_.find(window);
  if (found == windows_.end() || !found->second.owned) {
    return nullptr;
  }
  return &found->second;
}

WindowHandle PosixWindowSystem::HandleForFoundName(const std::string& name) {
  for (const auto& [handle, window] : windows_) {
    if (!window.owned && window.name == name) {
      return handle;
    }
  }
  const WindowHandle handle = ++lastHandle_;
  windows_[handle].name = name;
  return handle;
}

WindowHandle PosixWindowSystem::Find(const std::wstring& className, const std::wstring* title) {
  const std::string wanted =
      title != nullptr ? WindowSocketName(className, *title) : WindowClassPrefix(className);
  const auto matches = [&](const std::string& name) {
    return title != nullptr ? name == wanted : name.compare(0, wanted.size(), wanted) == 0;
  };
  // Our own windows are answered from here: connecting to them would only
  // leave a connection for our own loop to serve.
  for (const auto& [handle, window] : windows_) {
    if (window.owned && !window.destroying && matches(window.name)) {
      return handle;
    }
  }
  if (title != nullptr) {
    return registry_.IsLive(wanted) ? HandleForFoundName(wanted) : kNoWindow;
  }
  const std::optional<std::string> name = registry_.FindLiveWithPrefix(wanted);
  return name ? HandleForFoundName(*name) : kNoWindow;
}

std::intptr_t PosixWindowSystem::Send(WindowHandle window, std::uint32_t id, std::uintptr_t wParam,
                                      std::intptr_t lParam) {
  if (OwnWindow(window) != nullptr) {
    return Deliver(window, id, wParam, lParam);
  }
  const auto found = windows_.find(window);
  if (found == windows_.end()) {
    return 0;
  }
  return SendToOtherProcess(found->second.name, id, wParam, lParam);
}

std::intptr_t PosixWindowSystem::SendToOtherProcess(const std::string& name, std::uint32_t id,
                                                    std::uintptr_t wParam, std::intptr_t lParam) {
  const ScopedFd connection = registry_.Connect(name);
  if (!connection.Valid()) {
    return 0;
  }
  if (!SendAll(connection.Get(), FormatRequest({id, wParam, lParam}))) {
    return 0;
  }
  // No time limit: the owner answers once its procedure has returned, which
  // may be after a long tick it is busy with. If it ends first, the
  // connection closes and the answer is 0.
  const std::optional<std::string> line = ReceiveLine(connection.Get(), kMaxLineLength, -1);
  const std::optional<std::intptr_t> result = line ? ParseResult(*line) : std::nullopt;
  return result.value_or(0);
}

std::intptr_t PosixWindowSystem::Deliver(WindowHandle window, std::uint32_t id,
                                         std::uintptr_t wParam, std::intptr_t lParam) {
  Window* own = OwnWindow(window);
  if (own == nullptr || !own->procedure) {
    return 0;
  }
  // A copy: the procedure may destroy its own window, and the entry with it.
  const platform::WindowProcedure procedure = own->procedure;
  return procedure(window, id, wParam, lParam);
}

bool PosixWindowSystem::RegisterWindowClass(const platform::WindowClass& windowClass) {
  if (windowClass.className.empty() || classes_.contains(windowClass.className)) {
    return false;
  }
  classes_[windowClass.className] = windowClass.procedure;
  return true;
}

WindowHandle PosixWindowSystem::Create(const platform::WindowCreation& creation) {
  const auto windowClass = classes_.find(creation.className);
  if (windowClass == classes_.end()) {
    return kNoWindow;
  }
  const std::string name = WindowSocketName(creation.className, creation.title);
  // The signals are held back before the window can be found: a stop
  // request that follows the finding must reach the window, not kill us.
  // Without them a window could not be closed cleanly, so there is none.
  if (!BlockStopSignals()) {
    failure_ = std::string("cannot watch for stop signals: ") + std::strerror(errno);
    return kNoWindow;
  }
  std::optional<WindowRegistry::OwnedName> owned = registry_.Claim(name);
  if (!owned) {
    const int error = errno;
    const std::optional<std::string> problem = PrepareRuntimeDirectory(registry_.Directory());
    failure_ = problem ? *problem
                       : "cannot make its window in " + registry_.Directory() + ": " +
                             std::strerror(error);
    if (!HasOwnWindows()) {
      ReleaseStopSignals();
    }
    return kNoWindow;
  }
  const WindowHandle handle = ++lastHandle_;
  Window& window = windows_[handle];
  window.name = name;
  window.owned = std::move(owned);
  window.procedure = windowClass->second;
  return handle;
}

bool PosixWindowSystem::IsWindow(WindowHandle window) {
  if (OwnWindow(window) != nullptr) {
    return true;
  }
  const auto found = windows_.find(window);
  return found != windows_.end() && registry_.IsLive(found->second.name);
}

void PosixWindowSystem::ShowWindow(WindowHandle /*window*/, bool /*visible*/) {
  // There is nothing to show: a window here is only a name and a socket.
}

void PosixWindowSystem::DestroyWindow(WindowHandle window) {
  Window* own = OwnWindow(window);
  if (own == nullptr || own->destroying) {
    return;
  }
  own->destroying = true;
  // Out of the registry first, so that nobody finds or reaches it while its
  // procedure handles WM_DESTROY; connections still waiting are closed.
  registry_.Release(own->name, *own->owned);
  own->owned->listener.Reset();
  const platform::WindowProcedure procedure = own->procedure;
  if (procedure) {
    procedure(window, WM_DESTROY, 0, 0);
  }
  windows_.erase(window);
}

std::intptr_t PosixWindowSystem::DefaultProcedure(WindowHandle window, std::uint32_t id,
                                                  std::uintptr_t /*wParam*/,
                                                  std::intptr_t /*lParam*/) {
  if (id == WM_CLOSE) {
    DestroyWindow(window);
  }
  return 0;
}

void PosixWindowSystem::PaintNothing(WindowHandle /*window*/) {}

bool PosixWindowSystem::SetTimer(std::uint32_t timerId, std::uint32_t periodMs,
                                 platform::TimerProcedure procedure) {
  ScopedFd fd(::timerfd_create(CLOCK_MONOTONIC, TFD_CLOEXEC | TFD_NONBLOCK));
  if (!fd.Valid()) {
    failure_ = std::string("cannot make its timer: ") + std::strerror(errno);
    return false;
  }
  const std::uint32_t period = std::max<std::uint32_t>(periodMs, 1);
  itimerspec schedule{};
  schedule.it_interval.tv_sec = static_cast<time_t>(period / 1000);
  schedule.it_interval.tv_nsec = static_cast<long>(period % 1000) * 1000000L;
  schedule.it_value = schedule.it_interval;
  if (::timerfd_settime(fd.Get(), 0, &schedule, nullptr) != 0) {
    return false;
  }
  // The same identifier again replaces the timer, as on the handheld.
  Timer& timer = timers_[timerId];
  timer.fd = std::move(fd);
  timer.procedure = std::move(procedure);
  timer.pending = false;
  return true;
}

void PosixWindowSystem::WatchReadable(int fd, std::function<void()> onReadable) {
  watchedFds_[fd] = std::move(onReadable);
}

bool PosixWindowSystem::NextMessage(Message& message) {
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

void PosixWindowSystem::WaitForEvents() {
  enum class Source { kSignals, kTimer, kWindow, kWatched };
  struct Watched {
    Source source;
    std::uintptr_t key;  // timer identifier or window handle
  };
  std::vector<pollfd> fds;
  std::vector<Watched> watched;
  if (signals_.Valid()) {
    fds.push_back({signals_.Get(), POLLIN, 0});
    watched.push_back({Source::kSignals, 0});
  }
  for (const auto& [id, timer] : timers_) {
    fds.push_back({timer.fd.Get(), POLLIN, 0});
    watched.push_back({Source::kTimer, id});
  }
  for (const auto& [handle, window] : windows_) {
    if (listenersResting_ || !window.owned || !window.owned->listener.Valid()) {
      continue;
    }
    fds.push_back({window.owned->listener.Get(), POLLIN, 0});
    watched.push_back({Source::kWindow, handle});
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
        TakeSignals();
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
      case Source::kWindow: {
        // An earlier procedure of this round may have destroyed the window.
        const WindowHandle handle = watched[i].key;
        const Window* own = OwnWindow(handle);
        if (own != nullptr && own->owned->listener.Get() == fds[i].fd) {
          ServeConnection(handle, fds[i].fd);
        }
        break;
      }
      case Source::kWatched: {
        const auto watch = watchedFds_.find(fds[i].fd);
        if (watch != watchedFds_.end()) watch->second();
        break;
      }
    }
  }
}

void PosixWindowSystem::ServeConnection(WindowHandle window, int listener) {
  const ScopedFd connection(::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC));
  if (!connection.Valid()) {
    // The connection stays queued and the listener readable: polling it at
    // once again would spin until a descriptor comes free.
    if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM) {
      listenersResting_ = true;
    }
    return;
  }
  if (!PeerIsOwnUser(connection.Get())) {
    return;
  }
  // A connection that closes without a line was only looking whether we live.
  const std::optional<std::string> line =
      ReceiveLine(connection.Get(), kMaxLineLength, kRequestTimeoutMs);
  const std::optional<MessageRequest> request = line ? ParseRequest(*line) : std::nullopt;
  if (!request) {
    return;
  }
  const std::intptr_t result = Deliver(window, request->id, request->wParam, request->lParam);
  SendAll(connection.Get(), FormatResult(result));
}

bool PosixWindowSystem::BlockStopSignals() {
  if (signals_.Valid()) {
    return true;
  }
  // Only once a window exists: a start that merely stops the running
  // instance can still be interrupted while it waits for that to happen.
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

void PosixWindowSystem::ReleaseStopSignals() {
  if (!signals_.Valid()) {
    return;
  }
  signals_.Reset();
  // One that came meanwhile now has its ordinary effect: without a window
  // there is nothing to close cleanly.
  const sigset_t set = StopSignals();
  ::sigprocmask(SIG_UNBLOCK, &set, nullptr);
}

bool PosixWindowSystem::HasOwnWindows() const {
  return std::ranges::any_of(windows_,
                             [](const auto& entry) { return entry.second.owned.has_value(); });
}

void PosixWindowSystem::TakeSignals() {
  signalfd_siginfo info{};
  bool any = false;
  while (::read(signals_.Get(), &info, sizeof info) == sizeof info) {
    any = true;
  }
  if (!any) {
    return;
  }
  // A stop request from outside is a close request to our windows.
  for (const auto& [handle, window] : windows_) {
    if (window.owned && !window.destroying) {
      posted_.push_back({handle, WM_CLOSE, 0, 0});
    }
  }
}

void PosixWindowSystem::TranslateMessage(const Message& /*message*/) {}

std::intptr_t PosixWindowSystem::Dispatch(const Message& message) {
  if (message.id == WM_TIMER && message.window == kNoWindow) {
    const auto timer = timers_.find(static_cast<std::uint32_t>(message.wParam));
    if (timer == timers_.end() || !timer->second.procedure) {
      return 0;
    }
    const platform::TimerProcedure procedure = timer->second.procedure;
    procedure();
    return 0;
  }
  return Deliver(message.window, message.id, message.wParam, message.lParam);
}

void PosixWindowSystem::PostQuitMessage(int exitCode) { quitCode_ = exitCode; }

}  // namespace nav::posix
