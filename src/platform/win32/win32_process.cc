#include "platform/win32/win32_process.h"

#include <windows.h>

namespace nav::win32 {

std::wstring Win32Process::ExecutablePath() {
  wchar_t buffer[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
  // A full buffer holds a cut-off path: better none than a wrong one.
  if (length == 0 || length >= MAX_PATH) return {};
  return {buffer, length};
}

std::wstring Win32Process::PathSeparators() { return L"\\"; }

}  // namespace nav::win32
