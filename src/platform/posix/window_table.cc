#include "platform/posix/window_table.h"

#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <utility>

#include "platform/posix/message_line.h"
#include "platform/posix/paths.h"
#include "platform/posix/unix_socket.h"
#include "platform/posix/window_name.h"

namespace nav::posix {
namespace {

using platform::kNoWindow;
using platform::WindowHandle;

// A sender writes its one short line right after connecting; one that does
// not is given up on, so that it cannot hold the loop.
constexpr int kRequestTimeoutMs = 2000;
constexpr std::size_t kMaxLineLength = 96;

}  // namespace

WindowTable::WindowTable(std::string registryDirectory) : registry_(std::move(registryDirectory)) {}

WindowTable::~WindowTable() {
  for (auto& [handle, window] : windows_) {
    if (window.owned) {
      registry_.Release(window.name, *window.owned);
    }
  }
}

WindowTable::Window* WindowTable::OwnWindow(WindowHandle window) {
  const auto found = windows_.find(window);
  if (found == windows_.end() || !found->second.owned) {
    return nullptr;
  }
  return &found->second;
}

WindowHandle WindowTable::HandleForFoundName(const std::string& name) {
  for (const auto& [handle, window] : windows_) {
    if (!window.owned && window.name == name) {
      return handle;
    }
  }
  const WindowHandle handle = ++lastHandle_;
  windows_[handle].name = name;
  return handle;
}

WindowHandle WindowTable::Find(const std::wstring& className, const std::wstring* title) {
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

std::intptr_t WindowTable::Send(WindowHandle window, std::uint32_t id, std::uintptr_t wParam,
                                std::intptr_t lParam) {
  // No time limit: the owner answers once its procedure has returned, which
  // may be after a long tick it is busy with.
  return SendBounded(window, id, wParam, lParam, kNoTimeLimit).value_or(0);
}

bool WindowTable::SendWithin(WindowHandle window, std::uint32_t id, std::uintptr_t wParam,
                             std::intptr_t lParam, std::uint32_t timeoutMs) {
  const int limit = static_cast<int>(std::min<std::uint32_t>(timeoutMs, INT_MAX));
  return SendBounded(window, id, wParam, lParam, limit).has_value();
}

std::optional<std::intptr_t> WindowTable::SendBounded(WindowHandle window, std::uint32_t id,
                                                      std::uintptr_t wParam, std::intptr_t lParam,
                                                      int timeoutMs) {
  if (OwnWindow(window) != nullptr) {
    return Deliver(window, id, wParam, lParam);
  }
  const auto found = windows_.find(window);
  if (found == windows_.end()) {
    return 0;
  }
  return SendToOtherProcess(found->second.name, id, wParam, lParam, timeoutMs);
}

std::optional<std::intptr_t> WindowTable::SendToOtherProcess(const std::string& name,
                                                             std::uint32_t id,
                                                             std::uintptr_t wParam,
                                                             std::intptr_t lParam, int timeoutMs) {
  const ScopedFd connection = registry_.Connect(name);
  if (!connection.Valid()) {
    return 0;
  }
  if (!SendAll(connection.Get(), FormatRequest({id, wParam, lParam}))) {
    return 0;
  }
  // A stopped or hung owner still has its connections queued by the system,
  // so only the wait for the answer tells.
  if (timeoutMs != kNoTimeLimit && !WaitReadable(connection.Get(), timeoutMs)) {
    return std::nullopt;
  }
  // If the owner ends first, the connection closes and the answer is 0.
  const std::optional<std::string> line = ReceiveLine(connection.Get(), kMaxLineLength, timeoutMs);
  const std::optional<std::intptr_t> result = line ? ParseResult(*line) : std::nullopt;
  return result.value_or(0);
}

std::intptr_t WindowTable::Deliver(WindowHandle window, std::uint32_t id, std::uintptr_t wParam,
                                   std::intptr_t lParam) {
  Window* own = OwnWindow(window);
  if (own == nullptr || !own->procedure) {
    return 0;
  }
  // A copy: the procedure may destroy its own window, and the entry with it.
  const platform::WindowProcedure procedure = own->procedure;
  return procedure(window, id, wParam, lParam);
}

bool WindowTable::RegisterWindowClass(const platform::WindowClass& windowClass) {
  if (windowClass.className.empty() || classes_.contains(windowClass.className)) {
    return false;
  }
  classes_[windowClass.className] = windowClass.procedure;
  return true;
}

bool WindowTable::HasClass(const std::wstring& className) const {
  return classes_.contains(className);
}

WindowHandle WindowTable::Create(const platform::WindowCreation& creation, std::string& failure) {
  const auto windowClass = classes_.find(creation.className);
  if (windowClass == classes_.end()) {
    return kNoWindow;
  }
  const std::string name = WindowSocketName(creation.className, creation.title);
  std::optional<WindowRegistry::OwnedName> owned = registry_.Claim(name);
  if (!owned) {
    const int error = errno;
    const std::optional<std::string> problem = PrepareRuntimeDirectory(registry_.Directory());
    failure = problem ? *problem
                      : "cannot make its window in " + registry_.Directory() + ": " +
                            std::strerror(error);
    return kNoWindow;
  }
  const WindowHandle handle = ++lastHandle_;
  Window& window = windows_[handle];
  window.name = name;
  window.owned = std::move(owned);
  window.procedure = windowClass->second;
  return handle;
}

bool WindowTable::IsWindow(WindowHandle window) {
  if (OwnWindow(window) != nullptr) {
    return true;
  }
  const auto found = windows_.find(window);
  return found != windows_.end() && registry_.IsLive(found->second.name);
}

void WindowTable::DestroyWindow(WindowHandle window) {
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

bool WindowTable::HasOwnWindows() const {
  return std::ranges::any_of(windows_,
                             [](const auto& entry) { return entry.second.owned.has_value(); });
}

std::vector<WindowHandle> WindowTable::OpenOwnWindows() const {
  std::vector<WindowHandle> open;
  for (const auto& [handle, window] : windows_) {
    if (window.owned && !window.destroying) {
      open.push_back(handle);
    }
  }
  return open;
}

std::vector<WindowTable::Listener> WindowTable::Listeners() const {
  std::vector<Listener> listeners;
  for (const auto& [handle, window] : windows_) {
    if (window.owned && window.owned->listener.Valid()) {
      listeners.push_back({handle, window.owned->listener.Get()});
    }
  }
  return listeners;
}

bool WindowTable::ServeConnection(WindowHandle window, int listener) {
  // An earlier procedure of this round may have destroyed the window.
  const Window* own = OwnWindow(window);
  if (own == nullptr || own->owned->listener.Get() != listener) {
    return true;
  }
  const ScopedFd connection(::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC));
  if (!connection.Valid()) {
    // The connection stays queued and the listener readable: polling it at
    // once again would spin until a descriptor comes free.
    return errno != EMFILE && errno != ENFILE && errno != ENOBUFS && errno != ENOMEM;
  }
  if (!PeerIsOwnUser(connection.Get())) {
    return true;
  }
  // A connection that closes without a line was only looking whether we live.
  const std::optional<std::string> line =
      ReceiveLine(connection.Get(), kMaxLineLength, kRequestTimeoutMs);
  const std::optional<MessageRequest> request = line ? ParseRequest(*line) : std::nullopt;
  if (!request) {
    return true;
  }
  const std::intptr_t result = Deliver(window, request->id, request->wParam, request->lParam);
  SendAll(connection.Get(), FormatResult(result));
  return true;
}

}  // namespace nav::posix
