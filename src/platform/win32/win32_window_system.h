#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "platform/window_system.h"

namespace nav::win32 {

// Real Win32 windows, timers and the thread's message queue: RegisterClassW,
// CreateWindowExW, FindWindowW, SendMessageW(Timeout), SetTimer, GetMessageW and
// DispatchMessageW. Window and timer procedures of the core are reached from
// one window procedure and one timer callback that look them up by the
// window's class and by the timer's identifier.
class Win32WindowSystem : public platform::WindowManager, public platform::MessageQueue {
 public:
  // `instance` is the module that owns the classes and holds the icons
  // (the HINSTANCE given to wWinMain).
  explicit Win32WindowSystem(void* instance);

  platform::WindowHandle Find(const std::wstring& className, const std::wstring* title) override;
  std::intptr_t Send(platform::WindowHandle window, std::uint32_t id, std::uintptr_t wParam,
                     std::intptr_t lParam) override;
  // SendMessageTimeoutW; a window that went away counts as handled.
  bool SendWithin(platform::WindowHandle window, std::uint32_t id, std::uintptr_t wParam,
                  std::intptr_t lParam, std::uint32_t timeoutMs) override;
  // Window classes are each process's own, so two processes can each create
  // a window of one class: a named mutex per class name,
  // "Local\nav_manager.class.<name>", makes the look and the creation one step.
  // A lock whose holder was killed is taken over.
  bool LockClass(const std::wstring& className, std::uint32_t timeoutMs) override;
  void UnlockClass(const std::wstring& className) override;
  bool RegisterWindowClass(const platform::WindowClass& windowClass) override;
  platform::WindowHandle Create(const platform::WindowCreation& creation) override;
  bool IsWindow(platform::WindowHandle window) override;
  void ShowWindow(platform::WindowHandle window, bool visible) override;
  std::intptr_t DefaultProcedure(platform::WindowHandle window, std::uint32_t id,
                                 std::uintptr_t wParam, std::intptr_t lParam) override;
  void PaintNothing(platform::WindowHandle window) override;

  // The timer identifier is the one the caller chose; with no window, the
  // system picks its own and this class keeps the mapping.
  bool SetTimer(std::uint32_t timerId, std::uint32_t periodMs,
                platform::TimerProcedure procedure) override;
  bool NextMessage(platform::Message& message) override;
  void TranslateMessage(const platform::Message& message) override;
  std::intptr_t Dispatch(const platform::Message& message) override;
  void PostQuitMessage(int exitCode) override;

 private:
  void* instance_;
  std::map<std::wstring, void*> classLocks_;  // the mutexes held, by class name
};

}  // namespace nav::win32
