// navsim on Win32: a real window of the navigator's class and title, and the
// exchange folder on the drive navsim lies on, as nav_manager finds it.
// Requests are looked for by a short poll of the exchange folder.
#include <io.h>
#include <windows.h>

#include <cstdint>
#include <cstdio>

#include "filecall/navigator_names.h"
#include "navsim/host.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_window_system.h"

namespace nav::navsim {
namespace {

// How often the exchange folder is looked at.
constexpr std::uint32_t kPollPeriodMs = 100;

std::string Narrow(const std::wstring& text) {
  std::string bytes;
  for (const wchar_t c : text) bytes += c < 0x80 ? static_cast<char>(c) : '?';
  return bytes;
}

}  // namespace

int RunOnHost(const std::function<int(Host&)>& run) {
  win32::Win32FileSystem files;
  win32::Win32Clock clock;
  win32::Win32WindowSystem windows(GetModuleHandleW(nullptr));
  auto watch = [&windows](const std::function<void()>& serve) {
    windows.SetTimer(1, kPollPeriodMs, serve);
  };
  Host host{.files = files,
            .clock = clock,
            .windows = windows,
            .messages = windows,
            .exchangeDirectory = Narrow(files.NativePath(kExchangeDirectory)),
            .outputIsTerminal = _isatty(_fileno(stdout)) != 0,
            .windowFailure = "cannot create the navigator's window",
            .watchExchange = watch};
  return run(host);
}

}  // namespace nav::navsim
