#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/window_system.h"
#include "support/journal.h"
#include "support/virtual_clock.h"

namespace nav::testing {

// Windows, timers and the message loop on virtual time. Waiting for the next
// message moves the clock on to the next timer expiry or scheduled event, so a
// run of many 38-second ticks takes no real time. Timers fire at the multiples
// of their period after SetTimer; at most one WM_TIMER per timer is pending,
// and periods that passed while a tick ran are not made up. Windows of other
// processes (the navigator, another instance) are registered by the test.
// Every call goes into the journal in order.
class FakeWindowSystem : public platform::WindowManager, public platform::MessageQueue {
 public:
  // What NextMessage reports when nothing could ever arrive: no quit, no
  // timer, no scheduled event. A test that sees it has hung the program.
  static constexpr std::uintptr_t kNothingLeftToWaitFor = 0xDEAD;

  struct Window {
    platform::WindowHandle handle = platform::kNoWindow;
    std::wstring className;
    std::wstring title;
    bool ownedByProgram = false;
    bool alive = true;
    bool visible = false;
    bool hung = false;  // handles nothing that is sent to it
    platform::WindowCreation creation;
    platform::WindowProcedure procedure;
    std::vector<std::uint32_t> received;  // messages sent to it, in order
  };

  FakeWindowSystem(VirtualClock& clock, Journal& journal);

  // WindowManager
  platform::WindowHandle Find(const std::wstring& className, const std::wstring* title) override;
  std::intptr_t Send(platform::WindowHandle window, std::uint32_t id, std::uintptr_t wParam,
                     std::intptr_t lParam) override;
  // A hung window lets the time limit pass on the clock and is given up on.
  bool SendWithin(platform::WindowHandle window, std::uint32_t id, std::uintptr_t wParam,
                  std::intptr_t lParam, std::uint32_t timeoutMs) override;
  bool LockClass(const std::wstring& className, std::uint32_t timeoutMs) override;
  bool RegisterWindowClass(const platform::WindowClass& windowClass) override;
  platform::WindowHandle Create(const platform::WindowCreation& creation) override;
  bool IsWindow(platform::WindowHandle window) override;
  void ShowWindow(platform::WindowHandle window, bool visible) override;
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

  // A top-level window of another process. What is sent to it is recorded and
  // handed to `procedure`, if there is one (result 0 otherwise).
  platform::WindowHandle AddForeignWindow(std::wstring className, std::wstring title,
                                          platform::WindowProcedure procedure = {});
  // A foreign window goes away, as when its process ends.
  void RemoveForeignWindow(platform::WindowHandle window);
  // A foreign window's process stops handling messages.
  void HangForeignWindow(platform::WindowHandle window);
  // Runs `action` between messages once virtual time (clock.Elapsed()) has
  // reached `at`: what another process does meanwhile.
  void At(std::chrono::milliseconds at, std::function<void()> action);
  // Another start of the program sends the marker window a close request.
  void CloseMarkerAt(std::chrono::milliseconds at);
  // Runs `action` once, just before the next Create.
  void BeforeNextCreate(std::function<void()> action) { beforeCreate_ = std::move(action); }

  // When set, Create fails as when the window manager cannot make a window.
  bool refuseCreation = false;
  // When set, SetTimer fails as when no timer can be made.
  bool refuseTimers = false;
  // When set, LockClass fails as when another start holds the lock too long.
  bool refuseClassLock = false;

  [[nodiscard]] const Window* WindowOf(platform::WindowHandle window) const;
  // The windows the program created, in order.
  [[nodiscard]] std::vector<const Window*> CreatedWindows() const;
  [[nodiscard]] std::optional<int> QuitCode() const { return quitCode_; }

 private:
  struct Timer {
    std::uint32_t periodMs = 0;
    std::chrono::milliseconds setAt{0};
    std::chrono::milliseconds nextDue{0};
    platform::TimerProcedure procedure;
  };
  struct Scheduled {
    std::chrono::milliseconds at;
    std::function<void()> action;
  };

  // What the default handling of WM_CLOSE does.
  void DestroyWindow(platform::WindowHandle window);
  Window* Lookup(platform::WindowHandle window);
  platform::WindowHandle LookupLive(const std::wstring& className, const std::wstring* title);
  platform::WindowHandle AddWindow(Window window);
  void RunDueActions();
  std::optional<std::chrono::milliseconds> NextWakeUp() const;

  VirtualClock& clock_;
  Journal& journal_;
  std::map<std::wstring, platform::WindowProcedure> classes_;
  std::deque<Window> windows_;  // stable addresses while procedures run
  platform::WindowHandle nextHandle_ = 0x100;
  std::map<std::uint32_t, Timer> timers_;
  std::vector<Scheduled> scheduled_;
  std::function<void()> beforeCreate_;
  std::optional<int> quitCode_;
  bool quitPending_ = false;
};

// Journal text of a message number: "WM_CLOSE", "WM_TIMER", ... or decimal.
std::string MessageName(std::uint32_t id);

}  // namespace nav::testing
