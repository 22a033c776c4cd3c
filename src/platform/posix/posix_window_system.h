#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/posix/poll_loop.h"
#include "platform/posix/stop_signal_capture.h"
#include "platform/posix/window_table.h"
#include "platform/window_system.h"

namespace nav::posix {

// Top-level windows and the one thread's message loop on Linux, one object
// for both: the loop serves the windows' sockets. A window is a listening
// socket in the window registry (WindowTable); the loop (PollLoop) waits on
// those sockets, the timers and, once a window exists, SIGTERM, SIGINT and
// SIGHUP (StopSignalCapture), which reach the windows as posted WM_CLOSE.
// No WM_PAINT is ever generated: nothing is drawn on Linux.
class PosixWindowSystem final : public platform::WindowManager, public platform::MessageQueue {
 public:
  // The registry directory from the environment (RuntimeDirectoryFromEnvironment).
  PosixWindowSystem();
  explicit PosixWindowSystem(std::string registryDirectory);
  // Windows still open are taken out of the registry without WM_DESTROY.
  // The signals stay blocked: one that arrives now must not end the
  // process with anything but its own exit code.
  ~PosixWindowSystem() override = default;
  PosixWindowSystem(const PosixWindowSystem&) = delete;
  PosixWindowSystem& operator=(const PosixWindowSystem&) = delete;

  // WindowManager
  platform::WindowHandle Find(const std::wstring& className, const std::wstring* title) override;
  std::intptr_t Send(platform::WindowHandle window, std::uint32_t id, std::uintptr_t wParam,
                     std::intptr_t lParam) override;
  // A window whose owner has not answered by then is left alone, and the
  // failure says so.
  bool SendWithin(platform::WindowHandle window, std::uint32_t id, std::uintptr_t wParam,
                  std::intptr_t lParam, std::uint32_t timeoutMs) override;
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
  // In this order: the windows leave the registry before the signal
  // descriptor closes.
  StopSignalCapture signals_;
  WindowTable windows_;
  PollLoop loop_{windows_, signals_};
  std::string failure_;
};

}  // namespace nav::posix
