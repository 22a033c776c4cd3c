// navsim: a stand-in for the navigator, for demos and tests. It
// registers the navigator's window and answers nav_manager's file calls,
// showing what it was told as the navigator's screen would.
#include <sys/inotify.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "filecall/file_call_channel.h"
#include "navsim/exchange_server.h"
#include "navsim/options.h"
#include "navsim/screen.h"
#include "platform/posix/paths.h"
#include "platform/posix/posix_clock.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_notifier.h"
#include "platform/posix/posix_stop_request.h"
#include "platform/posix/posix_window_system.h"
#include "platform/posix/scoped_fd.h"

namespace nav::navsim {
namespace {

// How often a late answer is looked at, and the fallback poll for requests.
constexpr std::uint32_t kPollPeriodMs = 250;

std::tm LocalNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

std::string Describe(const Options& options, const std::string& exchangeDirectory) {
  char position[96];
  std::snprintf(position, sizeof position, "at %.5f, %.5f", options.latitude, options.longitude);
  std::string text = std::string("a stand-in navigator, ") + position +
                     ", answering in " + exchangeDirectory;
  if (options.fault != Fault::kNone)
    text += " (fault: " + std::string(NameOfFault(options.fault)) + ")";
  return text;
}

int Run(const Options& options) {
  posix::PosixFileSystem files(posix::HandheldRootFromEnvironment());
  posix::PosixClock clock;
  posix::PosixStopRequest stop;
  posix::PosixNotifier notifier;
  // The client's channel names the four exchange files and creates their directory.
  const FileCallChannel channel(files, clock, stop, notifier);
  const std::string exchangeDirectory = files.NativePath(channel.directory);

  std::FILE* log = nullptr;
  if (!options.logPath.empty()) {
    log = std::fopen(options.logPath.c_str(), "ab");
    if (log == nullptr) {
      std::fprintf(stderr, "navsim: cannot write the log '%s'\n", options.logPath.c_str());
      return 2;
    }
  }
  Screen screen(stdout, UseColours(options, ::isatty(STDOUT_FILENO) == 1));
  ExchangeServer server(files,
                        {channel.requestMessagePath, channel.requestFinishedPath,
                         channel.replyMessagePath, channel.replyFinishedPath},
                        NavigatorBehaviour(options.latitude, options.longitude, options.fault),
                        options.fault, std::chrono::milliseconds(options.delayMs), screen, log);

  posix::PosixWindowSystem windows;
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
    std::fprintf(stderr,
                 "navsim: cannot register the navigator's window (is another navsim running?)\n");
    return 1;
  }

  auto serve = [&server] {
    while (server.Poll(std::chrono::steady_clock::now(), LocalNow())) {
    }
  };
  // A request is noticed the moment its marker is written; the timer catches
  // late answers that fall due, and anything a missed event would leave.
  const posix::ScopedFd changes(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC));
  if (changes.Valid() && ::inotify_add_watch(changes.Get(), exchangeDirectory.c_str(),
                                             IN_CLOSE_WRITE | IN_MOVED_TO) >= 0) {
    windows.WatchReadable(changes.Get(), [&changes, &serve] {
      alignas(inotify_event) char events[4096];
      while (::read(changes.Get(), events, sizeof events) > 0) {
      }
      serve();
    });
  }
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
