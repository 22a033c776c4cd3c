#include "platform/win32/win32_stop_request.h"

#include <windows.h>

#include <string>

namespace nav::win32 {
namespace {

// Manual reset: once set, the request stands until the process ends.
HANDLE StopEventOf(DWORD processId) {
  const std::wstring name = L"Local\\nav_manager.stop." + std::to_wstring(processId);
  return CreateEventW(nullptr, TRUE, FALSE, name.c_str());
}

}  // namespace

Win32StopRequest::Win32StopRequest() : event_(StopEventOf(GetCurrentProcessId())) {}

Win32StopRequest::~Win32StopRequest() {
  if (event_ != nullptr) CloseHandle(event_);
}

bool Win32StopRequest::StopRequested() {
  return event_ != nullptr && WaitForSingleObject(event_, 0) == WAIT_OBJECT_0;
}

void Win32StopRequest::RequestStopOf(platform::WindowHandle window) {
  DWORD owner = 0;
  if (GetWindowThreadProcessId(reinterpret_cast<HWND>(window), &owner) == 0 || owner == 0) return;
  const HANDLE event = StopEventOf(owner);
  if (event == nullptr) return;
  SetEvent(event);
  CloseHandle(event);
}

}  // namespace nav::win32
