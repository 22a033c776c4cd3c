// navsim on Win32: the same stand-in navigator, with a real window of class
// "MunichWinClass" titled "TomTom Navigator", serving the exchange in
// \TomTom\SdkFileCalls\ on the current drive. Requests are looked for by a
// short poll of the exchange folder.
#include <io.h>
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "filecall/file_call_channel.h"
#include "navsim/exchange_server.h"
#include "navsim/options.h"
#include "navsim/screen.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_notifier.h"
#include "platform/win32/win32_stop_request.h"
#include "platform/win32/win32_window_system.h"

namespace nav::navsim {
namespace {

// How often the exchange folder is looked at.
constexpr std::uint32_t kPollPeriodMs = 100;

std::tm LocalNow() {
  win32::Win32Clock clock;
  std::tm local{};
  clock.LocalNow(local);
  return local;
}

std::string Narrow(const std::wstring& text) {
  std::string bytes;
  for (const wchar_t c : text) bytes += c < 0x80 ? static_cast<char>(c) : '?';
  return bytes;
}

std::string Describe(const Options& options, const std::string& exchangeDirectory) {
  char position[96];
  std::snprintf(position, sizeof position, "at %.5f, %.5f", options.latitude, options.longitude);
  std::string text = std::string("a stand-in navigator, ") + position +
                     ", answering in " + exchangeDirectory;
  if (options.fault != Fault::kNone) {
    text += " (fault: " + std::string(NameOfFault(options.fault)) + ")";
  }
  return text;
}

int Run(const Options& options) {
  win32::Win32FileSystem files;
  win32::Win32Clock clock;
  win32::Win32StopRequest stop;
  win32::Win32Notifier notifier;
  // The client's channel names the four exchange files and creates their directory.
  const FileCallChannel channel(files, clock, stop, notifier);
  const std::string exchangeDirectory = Narrow(files.NativePath(channel.directory));

  std::FILE* log = nullptr;
  if (!options.logPath.empty()) {
    log = std::fopen(options.logPath.c_str(), "ab");
    if (log == nullptr) {
      std::fprintf(stderr, "navsim: cannot write the log '%s'\n", options.logPath.c_str());
      return 2;
    }
  }
  Screen screen(stdout, UseColours(options, _isatty(_fileno(stdout)) != 0));
  ExchangeServer server(files,
                        {channel.requestMessagePath, channel.requestFinishedPath,
                         channel.replyMessagePath, channel.replyFinishedPath},
                        NavigatorBehaviour(options.latitude, options.longitude, options.fault),
                        options.fault, std::chrono::milliseconds(options.delayMs), screen, log);

  win32::Win32WindowSystem windows(GetModuleHandleW(nullptr));
  windows.RegisterWindowClass({L"MunichWinClass",
                               [&windows](platform::WindowHandle window, std::uint32_t id,
                                          std::uintptr_t wParam, std::intptr_t lParam) {
                                 if (id == WM_DESTROY) {
                                   windows.PostQuitMessage(0);
                                   return std::intptr_t{0};
                                 }
                                 return windows.DefaultProcedure(window, id, wParam, lParam);
                               },
                               0});
  const platform::WindowHandle window =
      windows.Create({0, L"MunichWinClass", L"TomTom Navigator", 0, 0, 0, 0, 0});
  if (window == platform::kNoWindow) {
    std::fprintf(stderr, "navsim: cannot create the navigator's window\n");
    return 1;
  }

  auto serve = [&server, log] {
    while (server.Poll(std::chrono::steady_clock::now(), LocalNow())) {
    }
    if (log != nullptr) std::fflush(log);
    std::fflush(stdout);
  };
  windows.SetTimer(1, kPollPeriodMs, serve);

  screen.Started(Describe(options, exchangeDirectory));
  serve();
  platform::Message message;
  while (windows.NextMessage(message)) {
    windows.TranslateMessage(message);
    windows.Dispatch(message);
  }
  if (log != nullptr) std::fclose(log);
  return static_cast<int>(message.wParam);
}

}  // namespace
}  // namespace nav::navsim

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  std::string error;
  const auto options = nav::navsim::ParseOptions(arguments, error);
  if (!options) {
    std::fprintf(stderr, "navsim: %s (see navsim --help)\n", error.c_str());
    return 2;
  }
  if (options->help) {
    std::fputs(nav::navsim::kUsage, stdout);
    return 0;
  }
  return nav::navsim::Run(*options);
}
