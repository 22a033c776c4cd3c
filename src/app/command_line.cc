#include "app/command_line.h"

#include <cstdio>
#include <string_view>

#include "platform/posix/live_window_owner.h"
#include "platform/posix/paths.h"
#include "platform/posix/window_name.h"
#include "shell/hidden_window.h"

namespace nav::app {
namespace {

constexpr const char* kUsage =
    "usage: nav_manager\n"
    "       nav_manager --status | --help | --version\n"
    "\n"
    "Keeps the navigator's colour scheme in step with daylight: every 38 s it asks\n"
    "the navigator for its position, works out that day's sunrise and sunset there\n"
    "and sets the day or the night colours. Start it to switch it on (the start\n"
    "sound plays), start it again to switch it off (the end sound plays). SIGTERM,\n"
    "SIGINT and SIGHUP stop it too.\n"
    "\n"
    "  --status   print \"on (pid N)\" and exit 0 when an instance runs, else \"off\"\n"
    "             and exit 3; starts, stops and creates nothing\n"
    "  --help     print this and exit\n"
    "  --version  print the version and exit\n"
    "\n"
    "Folders:\n"
    "  $NAV_MANAGER_ROOT/TomTom/SdkFileCalls/   the exchange with the navigator\n"
    "                                           ($HOME when NAV_MANAGER_ROOT is unset)\n"
    "  $NAV_MANAGER_RUNTIME_DIR                 where the running instance is found,\n"
    "                                           else $XDG_RUNTIME_DIR/nav_manager,\n"
    "                                           else $HOME/.cache/nav_manager\n"
    "\n"
    "Exit status: 0 switched on and later off, or switched the running one off;\n"
    "1 it could not start (the reason is on standard error); 2 a wrong argument.\n"
    "With --status: 0 on, 3 off.\n"
    "\n"
    "More in nav_manager(1).\n";

// What `systemctl is-active` answers for a unit that is not running.
constexpr int kNotRunningStatus = 3;

int Written(int status) { return std::fflush(stdout) == 0 ? status : 1; }

int AnswerStatus() {
  const std::optional<pid_t> running = posix::FindLiveWindowOwner(
      posix::ExistingRuntimeDirectoryFromEnvironment(), posix::WindowClassPrefix(kMarkerClassName));
  if (!running) {
    std::puts("off");
    return Written(kNotRunningStatus);
  }
  std::printf("on (pid %ld)\n", static_cast<long>(*running));
  return Written(0);
}

}  // namespace

std::optional<int> AnswerCommandLine(int argc, char** argv) {
  if (argc < 2) return std::nullopt;
  const std::string_view first = argv[1];
  const bool help = first == "--help" || first == "-h";
  const bool known = help || first == "--version" || first == "--status";
  if (known && argc == 2) {
    if (help) {
      std::fputs(kUsage, stdout);
      return Written(0);
    }
    if (first == "--version") {
      std::printf("nav_manager %s\n", NAV_MANAGER_VERSION);
      return Written(0);
    }
    return AnswerStatus();
  }
  // Each option stands alone: what follows a known one is one too many.
  const std::string_view wrong = known ? argv[2] : first;
  const bool unknownOption = !known && wrong.size() > 1 && wrong.front() == '-';
  std::fprintf(stderr, "nav_manager: %s '%.*s' (see nav_manager --help)\n",
               unknownOption ? "unknown option" : "unexpected argument",
               static_cast<int>(wrong.size()), wrong.data());
  return 2;
}

}  // namespace nav::app
