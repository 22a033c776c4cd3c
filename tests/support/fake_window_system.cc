#include "support/fake_window_system.h"

#include <algorithm>
#include <utility>

namespace nav::testing {

using std::chrono::milliseconds;

std::string MessageName(std::uint32_t id) {
  switch (id) {
    case WM_DESTROY:
      return "WM_DESTROY";
    case WM_PAINT:
      return "WM_PAINT";
    case WM_CLOSE:
      return "WM_CLOSE";
    case WM_QUIT:
      return "WM_QUIT";
    case WM_TIMER:
      return "WM_TIMER";
    default:
      return std::to_string(id);
  }
}

FakeWindowSystem::FakeWindowSystem(VirtualClock& clock, Journal& journal)
    : clock_(clock), journal_(journal) {}

FakeWindowSystem::Window* FakeWindowSystem::Lookup(platform::WindowHandle window) {
  for (Window& candidate : windows_) {
    if (candidate.handle == window) return &candidate;
  }
  return nullptr;
}

const FakeWindowSystem::Window* FakeWindowSystem::WindowOf(platform::WindowHandle window) const {
  for (const Window& candidate : windows_) {
    if (candidate.handle == window) return &candidate;
  }
  return nullptr;
}

platform::WindowHandle FakeWindowSystem::LookupLive(const std::wstring& className,
                                                    const std::wstring* title) {
  for (const Window& candidate : windows_) {
    if (candidate.alive && candidate.className == className &&
        (title == nullptr || candidate.title == *title)) {
      return candidate.handle;
    }
  }
  return platform::kNoWindow;
}

platform::WindowHandle FakeWindowSystem::AddWindow(Window window) {
  window.handle = nextHandle_++;
  windows_.push_back(std::move(window));
  return windows_.back().handle;
}

platform::WindowHandle FakeWindowSystem::Find(const std::wstring& className,
                                              const std::wstring* title) {
  journal_.Add("Find " + Ascii(className) + (title ? " \"" + Ascii(*title) + "\"" : ""));
  return LookupLive(className, title);
}

std::intptr_t FakeWindowSystem::Send(platform::WindowHandle window, std::uint32_t id,
                                     std::uintptr_t wParam, std::intptr_t lParam) {
  Window* target = Lookup(window);
  journal_.Add("Send " + MessageName(id) + " to " + (target ? Ascii(target->className) : "?"));
  if (target == nullptr || !target->alive) return 0;
  target->received.push_back(id);
  const platform::WindowProcedure procedure = target->procedure;
  return procedure ? procedure(window, id, wParam, lParam) : 0;
}

bool FakeWindowSystem::SendWithin(platform::WindowHandle window, std::uint32_t id,
                                  std::uintptr_t wParam, std::intptr_t lParam,
                                  std::uint32_t timeoutMs) {
  const Window* target = Lookup(window);
  if (target == nullptr || !target->hung) {
    Send(window, id, wParam, lParam);
    return true;
  }
  journal_.Add("Send " + MessageName(id) + " to " + Ascii(target->className) + " not handled");
  clock_.Advance(milliseconds{timeoutMs});
  return false;
}

bool FakeWindowSystem::LockClass(const std::wstring& className, std::uint32_t /*timeoutMs*/) {
  journal_.Add("LockClass " + Ascii(className));
  return !refuseClassLock;
}

bool FakeWindowSystem::RegisterWindowClass(const platform::WindowClass& windowClass) {
  journal_.Add("RegisterWindowClass " + Ascii(windowClass.className) + " icon " +
               std::to_string(windowClass.iconResource));
  classes_[windowClass.className] = windowClass.procedure;
  return true;
}

platform::WindowHandle FakeWindowSystem::Create(const platform::WindowCreation& creation) {
  if (beforeCreate_) std::exchange(beforeCreate_, {})();
  journal_.Add("Create " + Ascii(creation.className));
  const auto registered = classes_.find(creation.className);
  if (refuseCreation || registered == classes_.end()) return platform::kNoWindow;
  // A class and a title name one window, as they name one socket on Linux.
  if (LookupLive(creation.className, &creation.title) != platform::kNoWindow) {
    return platform::kNoWindow;
  }
  Window window;
  window.className = creation.className;
  window.title = creation.title;
  window.ownedByProgram = true;
  window.visible = (creation.style & WS_VISIBLE) != 0;
  window.creation = creation;
  window.procedure = registered->second;
  return AddWindow(std::move(window));
}

bool FakeWindowSystem::IsWindow(platform::WindowHandle window) {
  const Window* target = Lookup(window);
  return target != nullptr && target->alive;
}

void FakeWindowSystem::ShowWindow(platform::WindowHandle window, bool visible) {
  journal_.Add(visible ? "ShowWindow show" : "ShowWindow hide");
  if (Window* target = Lookup(window)) target->visible = visible;
}

void FakeWindowSystem::DestroyWindow(platform::WindowHandle window) {
  journal_.Add("DestroyWindow");
  Window* target = Lookup(window);
  if (target == nullptr || !target->alive) return;
  target->alive = false;
  target->received.push_back(WM_DESTROY);
  const platform::WindowProcedure procedure = target->procedure;
  if (procedure) procedure(window, WM_DESTROY, 0, 0);
}

std::intptr_t FakeWindowSystem::DefaultProcedure(platform::WindowHandle window, std::uint32_t id,
                                                 std::uintptr_t /*wParam*/,
                                                 std::intptr_t /*lParam*/) {
  journal_.Add("DefaultProcedure " + MessageName(id));
  if (id == WM_CLOSE) DestroyWindow(window);
  return 0;
}

void FakeWindowSystem::PaintNothing(platform::WindowHandle /*window*/) {
  journal_.Add("PaintNothing");
}

bool FakeWindowSystem::SetTimer(std::uint32_t timerId, std::uint32_t periodMs,
                                platform::TimerProcedure procedure) {
  journal_.Add("SetTimer " + std::to_string(timerId) + " " + std::to_string(periodMs));
  if (periodMs == 0 || refuseTimers) return false;
  const milliseconds now = clock_.Elapsed();
  timers_[timerId] = Timer{periodMs, now, now + milliseconds{periodMs}, std::move(procedure)};
  return true;
}

void FakeWindowSystem::RunDueActions() {
  for (;;) {
    const auto due = std::find_if(scheduled_.begin(), scheduled_.end(),
                                  [this](const auto& s) { return s.at <= clock_.Elapsed(); });
    if (due == scheduled_.end()) return;
    const std::function<void()> action = std::move(due->action);
    scheduled_.erase(due);
    action();
  }
}

std::optional<milliseconds> FakeWindowSystem::NextWakeUp() const {
  std::optional<milliseconds> next;
  for (const auto& [id, timer] : timers_) {
    if (!next || timer.nextDue < *next) next = timer.nextDue;
  }
  for (const Scheduled& event : scheduled_) {
    if (!next || event.at < *next) next = event.at;
  }
  return next;
}

bool FakeWindowSystem::NextMessage(platform::Message& message) {
  for (;;) {
    RunDueActions();
    if (quitPending_) {
      quitPending_ = false;
      message = {platform::kNoWindow, WM_QUIT, static_cast<std::uintptr_t>(*quitCode_), 0};
      journal_.Add("NextMessage WM_QUIT");
      return false;
    }
    const milliseconds now = clock_.Elapsed();
    for (auto& [id, timer] : timers_) {
      if (timer.nextDue > now) continue;
      // One message however many periods have passed; the next comes at the
      // first multiple of the period still ahead.
      const milliseconds period{timer.periodMs};
      timer.nextDue = timer.setAt + ((now - timer.setAt) / period + 1) * period;
      message = {platform::kNoWindow, WM_TIMER, id, 0};
      journal_.Add("NextMessage WM_TIMER");
      return true;
    }
    const std::optional<milliseconds> wakeUp = NextWakeUp();
    if (!wakeUp) {
      message = {platform::kNoWindow, WM_QUIT, kNothingLeftToWaitFor, 0};
      journal_.Add("NextMessage nothing left to wait for");
      return false;
    }
    if (*wakeUp > now) clock_.Advance(*wakeUp - now);
  }
}

void FakeWindowSystem::TranslateMessage(const platform::Message& /*message*/) {}

std::intptr_t FakeWindowSystem::Dispatch(const platform::Message& message) {
  journal_.Add("Dispatch " + MessageName(message.id));
  if (message.id == WM_TIMER && message.window == platform::kNoWindow) {
    const auto timer = timers_.find(static_cast<std::uint32_t>(message.wParam));
    if (timer == timers_.end()) return 0;
    const platform::TimerProcedure procedure = timer->second.procedure;
    procedure();
    return 0;
  }
  Window* target = Lookup(message.window);
  if (target == nullptr || !target->alive || !target->procedure) return 0;
  const platform::WindowProcedure procedure = target->procedure;
  return procedure(message.window, message.id, message.wParam, message.lParam);
}

void FakeWindowSystem::PostQuitMessage(int exitCode) {
  journal_.Add("PostQuitMessage " + std::to_string(exitCode));
  quitPending_ = true;
  quitCode_ = exitCode;
}

platform::WindowHandle FakeWindowSystem::AddForeignWindow(std::wstring className,
                                                          std::wstring title,
                                                          platform::WindowProcedure procedure) {
  Window window;
  window.className = std::move(className);
  window.title = std::move(title);
  window.procedure = std::move(procedure);
  return AddWindow(std::move(window));
}

void FakeWindowSystem::RemoveForeignWindow(platform::WindowHandle window) {
  if (Window* target = Lookup(window)) target->alive = false;
}

void FakeWindowSystem::HangForeignWindow(platform::WindowHandle window) {
  if (Window* target = Lookup(window)) target->hung = true;
}

void FakeWindowSystem::At(milliseconds at, std::function<void()> action) {
  scheduled_.push_back({at, std::move(action)});
}

void FakeWindowSystem::CloseMarkerAt(milliseconds at) {
  At(at, [this] {
    const platform::WindowHandle marker = LookupLive(L"KW5", nullptr);
    journal_.Add("another start closes the marker");
    if (marker != platform::kNoWindow) Send(marker, WM_CLOSE, 0, 0);
  });
}

std::vector<const FakeWindowSystem::Window*> FakeWindowSystem::CreatedWindows() const {
  std::vector<const Window*> created;
  for (const Window& window : windows_) {
    if (window.ownedByProgram) created.push_back(&window);
  }
  return created;
}

}  // namespace nav::testing
