// The other process of the Win32 platform tests.
//   win32_test_peer hold FILE   opens FILE without sharing, creates FILE.held,
//                               and keeps it open until FILE.release appears
//   win32_test_peer window      a window of class "NavPeer" titled "Peer" that
//                               answers 0x8000 with wParam + lParam and ends
//                               with 0 once closed
//   win32_test_peer find CLASS  exits 0 when a window of CLASS exists, else 1
#include <windows.h>

#include <string>

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
       i < 1000 && GetFileAttributesW((path + L".release").c_str()) == INVALID_FILE_ATTRIBUTES;
       ++i) {
    Sleep(20);
  }
  CloseHandle(file);
  return 0;
}

int Window() {
  nav::win32::Win32WindowSystem windows(GetModuleHandleW(nullptr));
  windows.RegisterWindowClass({L"NavPeer",
                               [&windows](nav::platform::WindowHandle w, std::uint32_t id,
                                          std::uintptr_t wp, std::intptr_t lp) {
                                 if (id == WM_DESTROY) {
                                   windows.PostQuitMessage(0);
                                   return std::intptr_t{0};
                                 }
                                 if (id == 0x8000) return static_cast<std::intptr_t>(wp) + lp;
                                 return windows.DefaultProcedure(w, id, wp, lp);
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

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring mode = argc > 1 ? argv[1] : L"";
  if (mode == L"hold" && argc > 2) return Hold(argv[2]);
  if (mode == L"window") return Window();
  if (mode == L"find" && argc > 2) return FindWindowW(argv[2], nullptr) != nullptr ? 0 : 1;
  return 1;
}
