#include "platform/win32/win32_stop_request.h"

#include <windows.h>

#include <string>

namespace nav::win32 {
namespace {

std::wstring StopEventName(DWORD processId) {
  return L"Local\\nav_manager.stop." + std::to_wstring(processId);
}

// The stop event of the process that owns `window`, opened only to set or
// reset it; null when that process has none (or the window is gone).
HANDLE StopEventOfOwner(platform::WindowHandle window) {
  DWORD owner = 0;
  if (GetWindowThreadProcessId(reinterpret_cast<HWND>(window), &owner) == 0 || owner == 0) {
    return nullptr;
  }
  return OpenEventW(EVENT_MODIFY_STATE, FALSE, StopEventName(owner).c_str());
}

// Manual reset: once set, the request stands until the process ends or the
// start that made it withdraws it.
HANDLE MakeOwnStopEvent() {
  const HANDLE event =
      CreateEventW(nullptr, TRUE, FALSE, StopEventName(GetCurrentProcessId()).c_str());
  // One left set by a process that had this identifier before is not ours.
  if (event != nullptr && GetLastError() == ERROR_ALREADY_EXISTS) ResetEvent(event);
  return event;
}

}  // namespace

Win32StopRequest::Win32StopRequest() : event_(MakeOwnStopEvent()) {}

Win32StopRequest::~Win32StopRequest() {
  if (event_ != nullptr) CloseHandle(event_);
}

bool Win32StopRequest::StopRequested() {
  return event_ != nullptr && WaitForSingleObject(event_, 0) == WAIT_OBJECT_0;
}

void Win32StopRequest::RequestStopOf(platform::WindowHandle window) {
  const HANDLE event = StopEventOfOwner(window);
  if (event == nullptr) return;
  SetEvent(event);
  CloseHandle(event);
}

void Win32StopRequest::WithdrawStopOf(platform::WindowHandle window) {
  const HANDLE event = StopEventOfOwner(window);
  if (event == nullptr) return;
  ResetEvent(event);
  CloseHandle(event);
}

}  // namespace nav::win32
