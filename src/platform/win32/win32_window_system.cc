#include "platform/win32/win32_window_system.h"

#include <windows.h>

#include <map>
#include <utility>

namespace nav::win32 {
namespace {

// The core's procedures, by class name and by the system's timer identifier.
// One thread uses them, so plain maps serve.
std::map<std::wstring, platform::WindowProcedure>& ClassProcedures() {
  static std::map<std::wstring, platform::WindowProcedure> procedures;
  return procedures;
}

std::map<UINT_PTR, platform::TimerProcedure>& TimerProcedures() {
  static std::map<UINT_PTR, platform::TimerProcedure> procedures;
  return procedures;
}

HWND ToHwnd(platform::WindowHandle window) { return reinterpret_cast<HWND>(window); }
platform::WindowHandle FromHwnd(HWND window) {
  return reinterpret_cast<platform::WindowHandle>(window);
}

LRESULT CALLBACK ClassWindowProc(HWND window, UINT id, WPARAM wParam, LPARAM lParam) {
  wchar_t className[256];
  const int length = GetClassNameW(window, className, 256);
  if (length > 0) {
    const auto found =
        ClassProcedures().find(std::wstring(className, static_cast<std::size_t>(length)));
    if (found != ClassProcedures().end() && found->second) {
      return found->second(FromHwnd(window), id, wParam, lParam);
    }
  }
  return DefWindowProcW(window, id, wParam, lParam);
}

void CALLBACK TimerCallback(HWND /*window*/, UINT /*message*/, UINT_PTR timerId, DWORD /*time*/) {
  const auto found = TimerProcedures().find(timerId);
  if (found != TimerProcedures().end() && found->second) found->second();
}

}  // namespace

Win32WindowSystem::Win32WindowSystem(void* instance) : instance_(instance) {}

platform::WindowHandle Win32WindowSystem::Find(const std::wstring& className,
                                               const std::wstring* title) {
  return FromHwnd(FindWindowW(className.c_str(), title != nullptr ? title->c_str() : nullptr));
}

std::intptr_t Win32WindowSystem::Send(platform::WindowHandle window, std::uint32_t id,
                                      std::uintptr_t wParam, std::intptr_t lParam) {
  return SendMessageW(ToHwnd(window), id, wParam, lParam);
}

bool Win32WindowSystem::SendWithin(platform::WindowHandle window, std::uint32_t id,
                                   std::uintptr_t wParam, std::intptr_t lParam,
                                   std::uint32_t timeoutMs) {
  DWORD_PTR result = 0;
  if (SendMessageTimeoutW(ToHwnd(window), id, wParam, lParam, SMTO_NORMAL, timeoutMs, &result) !=
      0) {
    return true;
  }
  // Timed out, unless the window is gone (ended, or destroyed by the message).
  return ::IsWindow(ToHwnd(window)) == 0;
}

bool Win32WindowSystem::LockClass(const std::wstring& className, std::uint32_t timeoutMs) {
  if (classLocks_.contains(className)) return true;
  const std::wstring name = L"Local\\nav_manager.class." + className;
  const HANDLE mutex = CreateMutexW(nullptr, FALSE, name.c_str());
  if (mutex == nullptr) return false;
  const DWORD waited = WaitForSingleObject(mutex, timeoutMs);
  if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
    CloseHandle(mutex);
    return false;
  }
  classLocks_[className] = mutex;
  return true;
}

void Win32WindowSystem::UnlockClass(const std::wstring& className) {
  const auto held = classLocks_.find(className);
  if (held == classLocks_.end()) return;
  ReleaseMutex(held->second);
  CloseHandle(held->second);
  classLocks_.erase(held);
}

bool Win32WindowSystem::RegisterWindowClass(const platform::WindowClass& windowClass) {
  const auto instance = static_cast<HINSTANCE>(instance_);
  ClassProcedures()[windowClass.className] = windowClass.procedure;
  WNDCLASSW registration{};
  registration.style = 0;
  registration.lpfnWndProc = ClassWindowProc;
  registration.hInstance = instance;
  registration.hIcon = windowClass.iconResource != 0
                           ? LoadIconW(instance, MAKEINTRESOURCEW(windowClass.iconResource))
                           : nullptr;
  registration.lpszClassName = windowClass.className.c_str();
  return RegisterClassW(&registration) != 0;
}

platform::WindowHandle Win32WindowSystem::Create(const platform::WindowCreation& creation) {
  return FromHwnd(CreateWindowExW(creation.extendedStyle, creation.className.c_str(),
                                  creation.title.c_str(), creation.style, creation.x, creation.y,
                                  creation.width, creation.height, nullptr, nullptr,
                                  static_cast<HINSTANCE>(instance_), nullptr));
}

bool Win32WindowSystem::IsWindow(platform::WindowHandle window) {
  return ::IsWindow(ToHwnd(window)) != 0;
}

void Win32WindowSystem::ShowWindow(platform::WindowHandle window, bool visible) {
  ::ShowWindow(ToHwnd(window), visible ? SW_SHOW : SW_HIDE);
}

std::intptr_t Win32WindowSystem::DefaultProcedure(platform::WindowHandle window, std::uint32_t id,
                                                  std::uintptr_t wParam, std::intptr_t lParam) {
  return DefWindowProcW(ToHwnd(window), id, wParam, lParam);
}

void Win32WindowSystem::PaintNothing(platform::WindowHandle window) {
  PAINTSTRUCT paint{};
  RECT client{};
  BeginPaint(ToHwnd(window), &paint);
  GetClientRect(ToHwnd(window), &client);
  EndPaint(ToHwnd(window), &paint);
}

bool Win32WindowSystem::SetTimer(std::uint32_t timerId, std::uint32_t periodMs,
                                 platform::TimerProcedure procedure) {
  const UINT_PTR systemId = ::SetTimer(nullptr, timerId, periodMs, TimerCallback);
  if (systemId == 0) return false;
  TimerProcedures()[systemId] = std::move(procedure);
  return true;
}

bool Win32WindowSystem::NextMessage(platform::Message& message) {
  MSG fetched{};
  const BOOL result = GetMessageW(&fetched, nullptr, 0, 0);
  message.window = FromHwnd(fetched.hwnd);
  message.id = fetched.message;
  message.wParam = fetched.wParam;
  message.lParam = fetched.lParam;
  // 0 is WM_QUIT; -1 is a failed fetch, which ends the loop as well.
  return result > 0;
}

namespace {
MSG ToMsg(const platform::Message& message) {
  MSG msg{};
  msg.hwnd = ToHwnd(message.window);
  msg.message = message.id;
  msg.wParam = message.wParam;
  msg.lParam = message.lParam;
  return msg;
}
}  // namespace

void Win32WindowSystem::TranslateMessage(const platform::Message& message) {
  const MSG msg = ToMsg(message);
  ::TranslateMessage(&msg);
}

std::intptr_t Win32WindowSystem::Dispatch(const platform::Message& message) {
  const MSG msg = ToMsg(message);
  return DispatchMessageW(&msg);
}

void Win32WindowSystem::PostQuitMessage(int exitCode) { ::PostQuitMessage(exitCode); }

}  // namespace nav::win32
