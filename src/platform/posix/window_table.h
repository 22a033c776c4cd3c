#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/posix/window_registry.h"
#include "platform/window_system.h"

namespace nav::posix {

// The windows this process knows by handle: its own, each a listening socket
// in the window registry, and those of other processes it has found by name.
// Another process "sends" a window a message by connecting and writing
// "MSG WPARAM LPARAM\n", and gets back one line with the decimal result once
// the window procedure has returned.
class WindowTable {
 public:
  explicit WindowTable(std::string registryDirectory);
  // Windows still open are taken out of the registry without WM_DESTROY.
  ~WindowTable();
  WindowTable(const WindowTable&) = delete;
  WindowTable& operator=(const WindowTable&) = delete;

  platform::WindowHandle Find(const std::wstring& className, const std::wstring* title);
  std::intptr_t Send(platform::WindowHandle window, std::uint32_t id, std::uintptr_t wParam,
                     std::intptr_t lParam);
  // Send that waits at most `timeoutMs` for another process's answer. False
  // when none came by then (its owner hangs or is stopped); true once it was
  // handled or the window went away.
  bool SendWithin(platform::WindowHandle window, std::uint32_t id, std::uintptr_t wParam,
                  std::intptr_t lParam, std::uint32_t timeoutMs);
  bool RegisterWindowClass(const platform::WindowClass& windowClass);
  [[nodiscard]] bool HasClass(const std::wstring& className) const;
  // A window of a registered class, its name claimed in the registry;
  // kNoWindow, with `failure` saying why, when the name cannot be had.
  platform::WindowHandle Create(const platform::WindowCreation& creation, std::string& failure);
  bool IsWindow(platform::WindowHandle window);
  void DestroyWindow(platform::WindowHandle window);
  // Hands a message to the procedure of one of our own windows; 0 otherwise.
  std::intptr_t Deliver(platform::WindowHandle window, std::uint32_t id, std::uintptr_t wParam,
                        std::intptr_t lParam);

  [[nodiscard]] bool HasOwnWindows() const;
  // Our own windows that are not being destroyed.
  [[nodiscard]] std::vector<platform::WindowHandle> OpenOwnWindows() const;
  // The sockets on which our own windows take connections.
  struct Listener {
    platform::WindowHandle window;
    int fd;
  };
  [[nodiscard]] std::vector<Listener> Listeners() const;
  // Accepts one connection on `listener` and serves its request. False when
  // it could not be accepted for want of descriptors: it stays queued.
  bool ServeConnection(platform::WindowHandle window, int listener);

 private:
  // A window of this object, or one of another process found by name.
  struct Window {
    std::string name;
    std::optional<WindowRegistry::OwnedName> owned;  // set for our own windows
    platform::WindowProcedure procedure;
    bool destroying = false;
  };

  Window* OwnWindow(platform::WindowHandle window);
  platform::WindowHandle HandleForFoundName(const std::string& name);
  static constexpr int kNoTimeLimit = -1;
  // Send with a limit (kNoTimeLimit for none) on the wait for another
  // process's answer: nothing when none came by then.
  std::optional<std::intptr_t> SendBounded(platform::WindowHandle window, std::uint32_t id,
                                           std::uintptr_t wParam, std::intptr_t lParam,
                                           int timeoutMs);
  // The owner's answer (0 when its window went away first), or nothing when
  // none came within timeoutMs.
  std::optional<std::intptr_t> SendToOtherProcess(const std::string& name, std::uint32_t id,
                                                  std::uintptr_t wParam, std::intptr_t lParam,
                                                  int timeoutMs);

  WindowRegistry registry_;
  std::map<std::wstring, platform::WindowProcedure> classes_;
  std::map<platform::WindowHandle, Window> windows_;
  platform::WindowHandle lastHandle_ = platform::kNoWindow;
};

}  // namespace nav::posix
