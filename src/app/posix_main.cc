// nav_manager: keeps the navigator's colour scheme in step with daylight.
// Starting it while it runs stops the running instance.

#include <fcntl.h>
#include <sys/resource.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <optional>
#include <string>

#include "app/command_line.h"
#include "platform/platform.h"
#include "platform/posix/paths.h"
#include "platform/posix/posix_clock.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_notifier.h"
#include "platform/posix/posix_process.h"
#include "platform/posix/posix_sound_player.h"
#include "platform/posix/posix_stop_request.h"
#include "platform/posix/posix_window_system.h"
#include "shell/shell_state.h"
#include "shell/startup.h"

namespace {

// Besides its window, timer and signal descriptors, a tick needs a few at
// once: a connection to find the navigator, exchange files, a sound player.
// With fewer free the program would run without ever ticking. The standard
// streams aside, this many must be free below the open-file limit.
constexpr rlim_t kDescriptorsNeeded = 13;

// Descriptor numbers below `limit` that are not open, counted up to `enough`.
rlim_t FreeDescriptors(rlim_t limit, rlim_t enough) {
  rlim_t free = 0;
  for (rlim_t fd = 0; fd < limit && free < enough; ++fd) {
    if (::fcntl(static_cast<int>(fd), F_GETFD) < 0 && errno == EBADF) ++free;
  }
  return free;
}

// Descriptors inherited from whoever started the program count too: raises
// the soft limit where the hard one allows; false when too few stay free.
bool EnsureDescriptors() {
  rlimit limit{};
  if (::getrlimit(RLIMIT_NOFILE, &limit) != 0) return true;
  for (;;) {
    const rlim_t free = FreeDescriptors(limit.rlim_cur, kDescriptorsNeeded);
    if (free >= kDescriptorsNeeded) return true;
    if (limit.rlim_max != RLIM_INFINITY && limit.rlim_cur >= limit.rlim_max) return false;
    limit.rlim_cur = std::min(limit.rlim_max, limit.rlim_cur + (kDescriptorsNeeded - free));
    if (::setrlimit(RLIMIT_NOFILE, &limit) != 0) return false;
  }
}

// Lives until the process ends, like the command list and status text it holds.
nav::ShellState shellState;

}  // namespace

int main(int argc, char** argv) {
  if (const std::optional<int> answered = nav::app::AnswerCommandLine(argc, argv)) {
    return *answered;
  }
  if (!EnsureDescriptors()) {
    std::fprintf(stderr,
                 "nav_manager: needs %u descriptors free below its open-file limit; raise the "
                 "limit (ulimit -n) or close those it inherits\n",
                 static_cast<unsigned>(kDescriptorsNeeded));
    return 1;
  }
  // Past a file-size limit a write should fail like any other failed write,
  // not end the process.
  std::signal(SIGXFSZ, SIG_IGN);
  nav::posix::PosixFileSystem files(nav::posix::HandheldRootFromEnvironment());
  nav::posix::PosixClock clock;
  nav::posix::PosixStopRequest stop;
  nav::posix::PosixNotifier notifier;
  nav::posix::PosixSoundPlayer sound;
  nav::posix::PosixProcess process;
  nav::posix::PosixWindowSystem windows;
  nav::platform::Platform platform{files, clock, stop, notifier, sound, process, windows, windows};
  const int exitCode = nav::RunNavManager(platform, shellState);
  // A failed start says why, in one line (under systemd, in the journal).
  if (exitCode != 0) {
    const std::string& reason = windows.FailureReason();
    std::fprintf(stderr, "nav_manager: %s\n",
                 reason.empty() ? "stopped after a failure of its message loop" : reason.c_str());
  }
  return exitCode;
}
