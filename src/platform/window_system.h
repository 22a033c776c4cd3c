#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/window_messages.h"

namespace nav::platform {

// Identifies a top-level window; 0 is no window.
using WindowHandle = std::uintptr_t;
inline constexpr WindowHandle kNoWindow = 0;

using WindowProcedure =
    std::function<std::intptr_t(WindowHandle, std::uint32_t, std::uintptr_t, std::intptr_t)>;
using TimerProcedure = std::function<void()>;

struct WindowClass {
  std::wstring className;
  WindowProcedure procedure;
  int iconResource = 0;
};

struct WindowCreation {
  std::uint32_t extendedStyle = 0;
  std::wstring className;
  std::wstring title;
  std::uint32_t style = 0;
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

struct Message {
  WindowHandle window = kNoWindow;
  std::uint32_t id = 0;
  std::uintptr_t wParam = 0;
  std::intptr_t lParam = 0;
};

// Top-level windows, found by class and title across processes.
class WindowManager {
 public:
  virtual ~WindowManager() = default;

  // A live top-level window of `className` whose title is `*title`, or of any
  // title when `title` is null; kNoWindow when there is none.
  virtual WindowHandle Find(const std::wstring& className, const std::wstring* title) = 0;
  // Delivers a message to a window, possibly another process's, and returns
  // once that window's procedure has handled it, with its result (0 when the
  // window went away first).
  virtual std::intptr_t Send(WindowHandle window, std::uint32_t id, std::uintptr_t wParam,
                             std::intptr_t lParam) = 0;
  // Send that waits at most `timeoutMs` for the message to be handled. False
  // when the window's owner has not handled it by then (it hangs, or is
  // stopped in a debugger): the sender gives up and leaves it alone. True
  // once it was handled or the window went away. Where a send cannot be
  // bounded, this waits as Send does.
  virtual bool SendWithin(WindowHandle window, std::uint32_t id, std::uintptr_t wParam,
                          std::intptr_t lParam, std::uint32_t /*timeoutMs*/) {
    Send(window, id, wParam, lParam);
    return true;
  }
  // Makes looking for a window of `className` and creating one a single step
  // across processes: from LockClass until UnlockClass, another process's
  // LockClass of the same class waits, for at most `timeoutMs`. False when the
  // lock was not had by then. Where creating a window is exclusive by itself
  // (of racing creations only one succeeds), there is nothing to lock.
  virtual bool LockClass(const std::wstring& /*className*/, std::uint32_t /*timeoutMs*/) {
    return true;
  }
  virtual void UnlockClass(const std::wstring& /*className*/) {}

  virtual bool RegisterWindowClass(const WindowClass& windowClass) = 0;
  // Creates a window of a registered class; kNoWindow on failure.
  virtual WindowHandle Create(const WindowCreation& creation) = 0;
  virtual bool IsWindow(WindowHandle window) = 0;
  virtual void ShowWindow(WindowHandle window, bool visible) = 0;
  // The default handling: WM_CLOSE destroys the window, the rest is ignored (0).
  virtual std::intptr_t DefaultProcedure(WindowHandle window, std::uint32_t id,
                                         std::uintptr_t wParam, std::intptr_t lParam) = 0;
  // Begin and end a paint of `window` that draws nothing.
  virtual void PaintNothing(WindowHandle window) = 0;
};

// The one thread's message queue, its periodic timers and its loop.
class MessageQueue {
 public:
  virtual ~MessageQueue() = default;

  // A periodic timer not bound to a window: every `periodMs` a WM_TIMER
  // message is queued (at most one pending), and dispatching it calls
  // `procedure`. Periods that pass while the thread is busy are not made up.
  virtual bool SetTimer(std::uint32_t timerId, std::uint32_t periodMs,
                        TimerProcedure procedure) = 0;
  // Waits for the next message. False once WM_QUIT has been fetched; its
  // wParam is then in `message`.
  virtual bool NextMessage(Message& message) = 0;
  virtual void TranslateMessage(const Message& message) = 0;
  // Hands the message to its window's procedure or its timer's procedure.
  virtual std::intptr_t Dispatch(const Message& message) = 0;
  // Queues WM_QUIT with `exitCode` as its wParam.
  virtual void PostQuitMessage(int exitCode) = 0;
};

}  // namespace nav::platform
