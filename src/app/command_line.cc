#include "app/command_line.h"

#include <cstdio>
#include <cstring>

namespace nav::app {
namespace {

constexpr const char* kUsage =
    "usage: nav_manager\n"
    "\n"
    "Keeps the navigator's colour scheme in step with daylight: every 38 s it asks\n"
    "the navigator for its position, works out that day's sunrise and sunset there\n"
    "and sets the day or the night colours. It takes no options: start it to\n"
    "switch it on (the start sound plays), start it again to switch it off (the\n"
    "end sound plays). SIGTERM, SIGINT and SIGHUP stop it too.\n"
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
    "\n"
    "More in nav_manager(1).\n";

}  // namespace

std::optional<int> AnswerCommandLine(int argc, char** argv) {
  if (argc < 2) return std::nullopt;
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::fputs(kUsage, stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
  }
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("nav_manager %s\n", NAV_MANAGER_VERSION);
    return std::fflush(stdout) == 0 ? 0 : 1;
  }
  std::fprintf(stderr, "nav_manager: takes no arguments, not '%s' (see nav_manager --help)\n",
               argv[1]);
  return 2;
}

}  // namespace nav::app
