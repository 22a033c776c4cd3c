// navsim: a stand-in for the navigator, for demos and tests. It
// registers the navigator's window and answers nav_manager's file calls,
// showing what it was told as the navigator's screen would.
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "filecall/navigator_names.h"
#include "navsim/exchange_server.h"
#include "navsim/host.h"
#include "navsim/options.h"
#include "navsim/screen.h"

namespace nav::navsim {
namespace {

std::string Describe(const Options& options, const std::string& exchangeDirectory) {
  char position[96];
  std::snprintf(position, sizeof position, "at %.5f, %.5f", options.latitude, options.longitude);
  std::string text =
      std::string("a stand-in navigator, ") + position + ", answering in " + exchangeDirectory;
  if (options.fault != Fault::kNone) {
    text += " (fault: " + std::string(NameOfFault(options.fault)) + ")";
  }
  return text;
}

int Run(const Options& options, Host& host) {
  // The exchange directory, as the client makes it (existing ones are fine).
  host.files.MakeDirectory(kNavigatorFolder);
  host.files.MakeDirectory(kExchangeFolder);

  std::FILE* log = nullptr;
  if (!options.logPath.empty()) {
    log = std::fopen(options.logPath.c_str(), "ab");
    if (log == nullptr) {
      std::fprintf(stderr, "navsim: cannot write the log '%s'\n", options.logPath.c_str());
      return 2;
    }
  }
  Screen screen(stdout, UseColours(options, host.outputIsTerminal), TerminalTakesUtf8());
  ExchangeServer server(
      host.files,
      {kRequestMessagePath, kRequestFinishedPath, kReplyMessagePath, kReplyFinishedPath},
      NavigatorBehaviour(options.latitude, options.longitude, options.fault), options.fault,
      std::chrono::milliseconds(options.delayMs), screen, log);

  platform::WindowManager& windows = host.windows;
  platform::MessageQueue& messages = host.messages;
  windows.RegisterWindowClass(
      {kNavigatorClassName,
       [&windows, &messages](platform::WindowHandle window, std::uint32_t id, std::uintptr_t wParam,
                             std::intptr_t lParam) {
         if (id == WM_DESTROY) {
           messages.PostQuitMessage(0);
           return std::intptr_t{0};
         }
         return windows.DefaultProcedure(window, id, wParam, lParam);
       },
       0});
  const platform::WindowHandle window =
      windows.Create({0, kNavigatorClassName, kNavigatorTitle, 0, 0, 0, 0, 0});
  if (window == platform::kNoWindow) {
    std::fprintf(stderr, "navsim: %s\n", host.windowFailure);
    return 1;
  }

  auto localNow = [&clock = host.clock] {
    std::tm local{};
    clock.LocalNow(local);
    return local;
  };
  auto serve = [&server, &localNow] {
    while (server.Poll(std::chrono::steady_clock::now(), localNow())) {
    }
  };
  host.watchExchange(serve);

  screen.Started(Describe(options, host.exchangeDirectory));
  serve();
  platform::Message message;
  while (messages.NextMessage(message)) {
    messages.TranslateMessage(message);
    messages.Dispatch(message);
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
    return std::fflush(stdout) == 0 ? 0 : 1;
  }
  if (options->version) {
    std::printf("navsim %s\n", NAV_MANAGER_VERSION);
    return std::fflush(stdout) == 0 ? 0 : 1;
  }
  return nav::navsim::RunOnHost(
      [&options](nav::navsim::Host& host) { return nav::navsim::Run(*options, host); });
}
