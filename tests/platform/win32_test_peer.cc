// The other process of the Win32 platform tests.
//   win32_test_peer hold FILE   opens FILE without sharing, creates FILE.held,
//                               and keeps it open until FILE.release appears
//   win32_test_peer window      a window of class "NavPeer" titled "Peer" that
//                               answers 0x8000 with wParam + lParam, 0x8001
//                               with whether a stop was requested of it, is
//                               busy for wParam ms on a posted 0x8002 (and
//                               sets the event "Local\NavPeerBusy"), and
//                               ends with 0 once closed
//   win32_test_peer find CLASS  exits 0 when a window of CLASS exists, else 1
//   win32_test_peer count CLASS exits with the number of windows of CLASS
//   win32_test_peer broadcast S sends every window the system's "a setting
//                               changed" message, five times a second, for
//                               S seconds
//   win32_test_peer abandon CLASS takes the lock of CLASS and ends with 0
//                               without unlocking it (2 when the lock was not
//                               had)
#include <windows.h>

#include <string>
#include <utility>

#include "platform/win32/win32_stop_request.h"
#include "platform/win32/win32_window_system.h"

namespace {

int Hold(const std::wstring& path) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 2;
  const HANDLE held = CreateFileW((path + L".held").c_str(), GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  CloseHandle(held);
  for (int i = 0;
       i < 3000 && GetFileAttributesW((path + L".release").c_str()) == INVALID_FILE_ATTRIBUTES;
       ++i) {
    Sleep(20);
  }
  CloseHandle(file);
  return 0;
}

int Window() {
  nav::win32::Win32WindowSystem windows(GetModuleHandleW(nullptr));
  nav::win32::Win32StopRequest stop;
  windows.RegisterWindowClass({L"NavPeer",
                               [&windows, &stop](nav::platform::WindowHandle w, std::uint32_t id,
                                                 std::uintptr_t wp, std::intptr_t lp) {
                                 switch (id) {
                                   case WM_DESTROY:
                                     windows.PostQuitMessage(0);
                                     return std::intptr_t{0};
                                   case 0x8000:
                                     return static_cast<std::intptr_t>(wp) + lp;
                                   case 0x8001:
                                     return std::intptr_t{stop.StopRequested() ? 1 : 0};
                                   case 0x8002: {
                                     const HANDLE busy =
                                         CreateEventW(nullptr, TRUE, FALSE, L"Local\\NavPeerBusy");
                                     SetEvent(busy);
                                     Sleep(static_cast<DWORD>(wp));
                                     CloseHandle(busy);
                                     return std::intptr_t{0};
                                   }
                                   default:
                                     return windows.DefaultProcedure(w, id, wp, lp);
                                 }
                               },
                               0});
  if (windows.Create({0, L"NavPeer", L"Peer", 0, 10, 10, 50, 50}) == nav::platform::kNoWindow) {
    return 3;
  }
  nav::platform::Message message;
  while (windows.NextMessage(message)) {
    windows.TranslateMessage(message);
    windows.Dispatch(message);
  }
  return static_cast<int>(message.wParam);
}

BOOL CALLBACK CountWindow(HWND window, LPARAM context) {
  auto& counted = *reinterpret_cast<std::pair<std::wstring, int>*>(context);
  wchar_t className[256];
  const int length = GetClassNameW(window, className, 256);
  if (length > 0 && counted.first == std::wstring(className, static_cast<std::size_t>(length)))
    ++counted.second;
  return TRUE;
}

int Count(const std::wstring& className) {
  std::pair<std::wstring, int> counted{className, 0};
  EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&counted));
  return counted.second;
}

int Broadcast(int seconds) {
  static const wchar_t kArea[] = L"Environment";
  for (int i = 0; i < seconds * 5; ++i) {
    SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(kArea),
                        SMTO_NORMAL, 1000, nullptr);
    Sleep(200);
  }
  return 0;
}

// Ends as a killed holder would, without giving the lock back.
int Abandon(const std::wstring& className) {
  nav::win32::Win32WindowSystem windows(GetModuleHandleW(nullptr));
  if (!windows.LockClass(className, 5000)) return 2;
  ExitProcess(0);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring mode = argc > 1 ? argv[1] : L"";
  if (mode == L"hold" && argc > 2) return Hold(argv[2]);
  if (mode == L"window") return Window();
  if (mode == L"find" && argc > 2) return FindWindowW(argv[2], nullptr) != nullptr ? 0 : 1;
  if (mode == L"count" && argc > 2) return Count(argv[2]);
  if (mode == L"broadcast" && argc > 2) return Broadcast(_wtoi(argv[2]));
  if (mode == L"abandon" && argc > 2) return Abandon(argv[2]);
  return 1;
}
