// nav_manager: keeps the navigator's colour scheme in step with daylight.
// Starting it while it runs stops the running instance.

#include <csignal>

#include "platform/platform.h"
#include "platform/posix/paths.h"
#include "platform/posix/posix_clock.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_notifier.h"
#include "platform/posix/posix_process.h"
#include "platform/posix/posix_sound_player.h"
#include "platform/posix/posix_window_system.h"
#include "shell/shell_state.h"
#include "shell/startup.h"

namespace {

// Lives until the process ends, like the command list and status text it holds.
nav::ShellState shellState;

}  // namespace

int main() {
  // Past a file-size limit a write should fail like any other failed write,
  // not end the process.
  std::signal(SIGXFSZ, SIG_IGN);
  nav::posix::PosixFileSystem files(nav::posix::HandheldRootFromEnvironment());
  nav::posix::PosixClock clock;
  nav::posix::PosixNotifier notifier;
  nav::posix::PosixSoundPlayer sound;
  nav::posix::PosixProcess process;
  nav::posix::PosixWindowSystem windows;
  nav::platform::Platform platform{files, clock, notifier, sound, process, windows, windows};
  return nav::RunNavManager(platform, shellState);
}
