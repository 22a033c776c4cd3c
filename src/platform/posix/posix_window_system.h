#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "platform/posix/scoped_fd.h"
#include "platform/posix/window_registry.h"
#include "platform/window_system.h"

namespace nav::posix {

// Top-level windows and the one thread's message loop on Linux. A window is
// a listening socket in the window registry; another process "sends" it a
// message by connecting and writing "MSG WPARAM LPARAM\n", and gets back one
// line with the decimal result once the window procedure has returned.
//
// NextMessage blocks in poll() on the windows' sockets, the timers (timerfd)
// and, once a window exists, SIGTERM, SIGINT and SIGHUP (signalfd). Incoming
// sends are served inside NextMessage, as the handheld serves messages sent
// from another thread. A signal reaches every window of this object as a
// posted WM_CLOSE. No WM_PAINT is ever generated: nothing is drawn on Linux.
class PosixWindowSystem final : public platform::WindowManager, public platform::MessageQueue {
 public:
  // The registry directory from the environment (WindowRegistry).
  PosixWindowSystem();
  explicit PosixWindowSystem(std::string registryDirectory);
  // Windows still open are taken out of the registry without WM_DESTROY.
  // The signals stay blocked: one that arrives now must not end the
  // process with anything but its own exit code.
  ~PosixWindowSystem() override;
  PosixWindowSystem(const PosixWindowSystem&) = delete;
  PosixWindowSystem& operator=(const PosixWindowSystem&) = delete;

  // WindowManager
  platform::WindowHandle Find(const std::wstring& className, const std::wstring* title) override;
  std::intptr_t Send(platform::WindowHandle window, std::uint32_t id, std::uintptr_t wParam,
                     std::intptr_t lParam) override;
  bool RegisterWindowClass(const platform::WindowClass& windowClass) override;
  platform::WindowHandle Create(const platform::WindowCreation& creation) override;
  bool IsWindow(platform::WindowHandle window) override;
  void ShowWindow(platform::WindowHandle window, bool visible) override;
  // Not part of the shell's interface: the default handling of WM_CLOSE ends
  // a window this way.
  void DestroyWindow(platform::WindowHandle window);
  std::intptr_t DefaultProcedure(platform::WindowHandle window, std::uint32_t id,
                                 std::uintptr_t wParam, std::intptr_t lParam) override;
  void PaintNothing(platform::WindowHandle window) override;

  // MessageQueue
  bool SetTimer(std::uint32_t timerId, std::uint32_t periodMs,
                platform::TimerProcedure procedure) override;
  bool NextMessage(platform::Message& message) override;
  void TranslateMessage(const platform::Message& message) override;
  std::intptr_t Dispatch(const platform::Message& message) override;
  void PostQuitMessage(int exitCode) override;

  // Linux only, for programs beside the system (navsim): while waiting for
  // messages, also wait for `fd` to become readable and then call
  // `onReadable` on this thread. The caller keeps `fd` open while watched.
  void WatchReadable(int fd, std::function<void()> onReadable);

  // Why the last window or timer could not be made, for the one line a
  // failed start prints; empty when nothing failed.
  [[nodiscard]] const std::string& FailureReason() const { return failure_; }

 private:
  // A window of this object, or one of another process found by name.
  struct Window {
    std::string name;
    std::optional<WindowRegistry::OwnedName> owned;  // set for our own windows
    platform::WindowProcedure procedure;
    bool destroying = false;
  };
  struct Timer {
    ScopedFd fd;
    platform::TimerProcedure procedure;
    bool pending = false;
  };

  Window* OwnWindow(platform::WindowHandle window);
  platform::WindowHandle HandleForFoundName(const std::string& name);
  std::intptr_t Deliver(platform::WindowHandle window, std::uint32_t id, std::uintptr_t wParam,
                        std::intptr_t lParam);
  std::intptr_t SendToOtherProcess(const std::string& name, std::uint32_t id, std::uintptr_t wParam,
                                   std::intptr_t lParam);
  [[nodiscard]] bool HasOwnWindows() const;
  bool BlockStopSignals();
  void ReleaseStopSignals();
  void WaitForEvents();
  void ServeConnection(platform::WindowHandle window, int listener);
  void TakeSignals();

  WindowRegistry registry_;
  std::map<std::wstring, platform::WindowProcedure> classes_;
  std::map<platform::WindowHandle, Window> windows_;
  platform::WindowHandle lastHandle_ = platform::kNoWindow;
  std::map<std::uint32_t, Timer> timers_;
  ScopedFd signals_;
  std::deque<platform::Message> posted_;
  std::optional<int> quitCode_;
  std::map<int, std::function<void()>> watchedFds_;
  std::string failure_;
  // Set when a connection could not be accepted for want of descriptors:
  // the listeners rest for a moment instead of waking the loop at once.
  bool listenersResting_ = false;
};

}  // namespace nav::posix
