#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

namespace nav::testing {

// The test's own folder, where win32_test_peer.exe lies.
inline std::filesystem::path TestFolder() {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  return std::filesystem::path(self).parent_path();
}

// A second process for the cross-process cases: win32_test_peer.exe from the
// test's own folder, ended when the object goes.
class Win32Peer {
 public:
  explicit Win32Peer(const std::wstring& arguments) {
    const std::filesystem::path peer = TestFolder() / L"win32_test_peer.exe";
    std::wstring commandLine = L"\"" + peer.wstring() + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    started_ = CreateProcessW(peer.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              nullptr, &startup, &process_) != 0;
  }
  ~Win32Peer() {
    if (!started_) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
      TerminateProcess(process_.hProcess, 99);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  Win32Peer(const Win32Peer&) = delete;
  Win32Peer& operator=(const Win32Peer&) = delete;

  [[nodiscard]] bool Started() const { return started_; }

  // The exit code once it has ended within `ms`; -1 when it has not.
  long ExitCode(DWORD ms) {
    if (WaitForSingleObject(process_.hProcess, ms) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<long>(code);
  }

 private:
  bool started_ = false;
  PROCESS_INFORMATION process_{};
};

// Polls `condition` every 20 ms for up to 20 s: events of another process
// come when they come, and the checks themselves never assume a timing.
inline bool Eventually(const std::function<bool()>& condition) {
  for (int i = 0; i < 1000; ++i) {
    if (condition()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return condition();
}

}  // namespace nav::testing
