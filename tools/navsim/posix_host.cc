// navsim on Linux: windows are the Linux platform's window registry, and a
// request is noticed the moment its marker is written (inotify).
#include <sys/inotify.h>
#include <unistd.h>

#include <cstdint>

#include "filecall/navigator_names.h"
#include "navsim/host.h"
#include "platform/posix/paths.h"
#include "platform/posix/posix_clock.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_window_system.h"
#include "platform/posix/scoped_fd.h"

namespace nav::navsim {
namespace {

// How often a late answer is looked at, and the fallback poll for requests.
constexpr std::uint32_t kPollPeriodMs = 250;

}  // namespace

int RunOnHost(const std::function<int(Host&)>& run) {
  posix::PosixFileSystem files(posix::HandheldRootFromEnvironment());
  posix::PosixClock clock;
  posix::PosixWindowSystem windows;
  posix::ScopedFd changes;
  const std::string exchangeDirectory = files.NativePath(kExchangeDirectory);
  auto watch = [&](const std::function<void()>& serve) {
    // The timer catches late answers that fall due, and anything a missed
    // event would leave.
    changes = posix::ScopedFd(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC));
    if (changes.Valid() && ::inotify_add_watch(changes.Get(), exchangeDirectory.c_str(),
                                               IN_CLOSE_WRITE | IN_MOVED_TO) >= 0) {
      windows.WatchReadable(changes.Get(), [&changes, serve] {
        alignas(inotify_event) char events[4096];
        while (::read(changes.Get(), events, sizeof events) > 0) {
        }
        serve();
      });
    }
    windows.SetTimer(1, kPollPeriodMs, serve);
  };
  Host host{.files = files,
            .clock = clock,
            .windows = windows,
            .messages = windows,
            .exchangeDirectory = exchangeDirectory,
            .outputIsTerminal = ::isatty(STDOUT_FILENO) == 1,
            .windowFailure = "cannot register the navigator's window (is another navsim running?)",
            .watchExchange = watch};
  return run(host);
}

}  // namespace nav::navsim
