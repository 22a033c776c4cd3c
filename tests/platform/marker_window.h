#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/posix/posix_window_system.h"

namespace nav::testing {

constexpr std::uint32_t kAddMessage = 0x8000;  // answers wParam + lParam

// A process's marker window as the program has it: close requests get the
// default handling, the destroy ends the loop with 0. The procedure notes
// what it saw, in order.
struct MarkerWindow {
  explicit MarkerWindow(posix::PosixWindowSystem& windows, const std::wstring& className = L"KW5",
                        const std::wstring& title = L"")
      : system(windows) {
    system.RegisterWindowClass({className, [this](platform::WindowHandle w, std::uint32_t id,
                                                  std::uintptr_t wp, std::intptr_t lp) {
                                  seen.push_back(id);
                                  if (id == WM_DESTROY) {
                                    this->system.PostQuitMessage(0);
                                    return std::intptr_t{0};
                                  }
                                  if (id == kAddMessage) return static_cast<std::intptr_t>(wp) + lp;
                                  return this->system.DefaultProcedure(w, id, wp, lp);
                                }});
    handle = system.Create({0, className, title, WS_VISIBLE, 10, 10, 50, 50});
  }

  // The message loop; the quit code.
  int Run() {
    platform::Message message;
    while (system.NextMessage(message)) {
      system.TranslateMessage(message);
      system.Dispatch(message);
    }
    return static_cast<int>(message.wParam);
  }

  // 0 when the window was closed and destroyed in that order and the loop
  // ended with 0.
  int RunUntilClosed() {
    const int quit = Run();
    const bool closedThenDestroyed =
        seen.size() >= 2 && seen[seen.size() - 2] == WM_CLOSE && seen.back() == WM_DESTROY;
    return quit == 0 && closedThenDestroyed ? 0 : 10;
  }

  posix::PosixWindowSystem& system;
  platform::WindowHandle handle = platform::kNoWindow;
  std::vector<std::uint32_t> seen;
};

// Runs a marker window of its own in a child process until it is closed.
inline int RunMarkerInChild(const std::string& directory, const std::wstring& className = L"KW5",
                            const std::wstring& title = L"") {
  posix::PosixWindowSystem system(directory);
  MarkerWindow marker(system, className, title);
  if (marker.handle == platform::kNoWindow) return 20;
  return marker.RunUntilClosed();
}

}  // namespace nav::testing
