#include "platform/posix/posix_window_system.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <utility>

#include "platform/posix/paths.h"

namespace nav::posix {

using platform::kNoWindow;
using platform::Message;
using platform::WindowHandle;

PosixWindowSystem::PosixWindowSystem() : PosixWindowSystem(RuntimeDirectoryFromEnvironment()) {}

PosixWindowSystem::PosixWindowSystem(std::string registryDirectory)
    : windows_(std::move(registryDirectory)) {}

WindowHandle PosixWindowSystem::Find(const std::wstring& className, const std::wstring* title) {
  return windows_.Find(className, title);
}

std::intptr_t PosixWindowSystem::Send(WindowHandle window, std::uint32_t id, std::uintptr_t wParam,
                                      std::intptr_t lParam) {
  return windows_.Send(window, id, wParam, lParam);
}

bool PosixWindowSystem::SendWithin(WindowHandle window, std::uint32_t id, std::uintptr_t wParam,
                                   std::intptr_t lParam, std::uint32_t timeoutMs) {
  if (windows_.SendWithin(window, id, wParam, lParam, timeoutMs)) {
    return true;
  }
  failure_ = "the running instance has not answered in " + std::to_string(timeoutMs / 1000) +
             " s (it hangs or is stopped); it is left running";
  return false;
}

bool PosixWindowSystem::RegisterWindowClass(const platform::WindowClass& windowClass) {
  return windows_.RegisterWindowClass(windowClass);
}

WindowHandle PosixWindowSystem::Create(const platform::WindowCreation& creation) {
  if (!windows_.HasClass(creation.className)) {
    return kNoWindow;
  }
  // The signals are held back before the window can be found: a stop
  // request that follows the finding must reach the window, not kill us.
  // Without them a window could not be closed cleanly, so there is none.
  // Only once a window exists: a start that merely stops the running
  // instance can still be interrupted while it waits for that to happen.
  if (!signals_.Capture()) {
    failure_ = std::string("cannot watch for stop signals: ") + std::strerror(errno);
    return kNoWindow;
  }
  const WindowHandle handle = windows_.Create(creation, failure_);
  // Without a window there is nothing to close cleanly: a stop signal has
  // its ordinary effect again.
  if (handle == kNoWindow && !windows_.HasOwnWindows()) {
    signals_.Release();
  }
  return handle;
}

bool PosixWindowSystem::IsWindow(WindowHandle window) { return windows_.IsWindow(window); }

void PosixWindowSystem::ShowWindow(WindowHandle /*window*/, bool /*visible*/) {
  // There is nothing to show: a window here is only a name and a socket.
}

void PosixWindowSystem::DestroyWindow(WindowHandle window) { windows_.DestroyWindow(window); }

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
  return loop_.SetTimer(timerId, periodMs, std::move(procedure), failure_);
}

void PosixWindowSystem::WatchReadable(int fd, std::function<void()> onReadable) {
  loop_.WatchReadable(fd, std::move(onReadable));
}

bool PosixWindowSystem::NextMessage(Message& message) { return loop_.NextMessage(message); }

void PosixWindowSystem::TranslateMessage(const Message& /*message*/) {}

std::intptr_t PosixWindowSystem::Dispatch(const Message& message) {
  return loop_.Dispatch(message);
}

void PosixWindowSystem::PostQuitMessage(int exitCode) { loop_.PostQuitMessage(exitCode); }

}  // namespace nav::posix
