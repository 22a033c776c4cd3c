#include "platform/posix/posix_sound_player.h"

#include <poll.h>
#include <sys/signalfd.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <optional>
#include <utility>

#include "platform/posix/posix_process.h"
#include "platform/posix/scoped_fd.h"
#include "platform/posix/sound_file.h"
#include "platform/posix/stop_signals.h"
#include "sound/wave_file.h"
#include "text/utf8.h"

namespace nav::posix {
namespace {

constexpr const char* kPlayerName = "nav_manager-play";

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

bool Readable(const std::string& path) { return ::access(path.c_str(), R_OK) == 0; }

std::string FindPlayer() {
  const std::string programFolder = FolderOf(Utf8FromWide(PosixProcess().ExecutablePath()));
  std::string beside = programFolder + "/" + kPlayerName;
  if (::access(beside.c_str(), X_OK) == 0) return beside;
  return programFolder + "/../libexec/nav_manager/" + kPlayerName;
}

// Everything the child needs comes after the fork; the parent's sockets,
// timers and blocked signals are none of its business.
[[noreturn]] void RunPlayer(const std::string& player, const std::string& sound) {
  ::close_range(3, ~0U, 0);
  sigset_t none;
  sigemptyset(&none);
  ::sigprocmask(SIG_SETMASK, &none, nullptr);
  ::execl(player.c_str(), player.c_str(), sound.c_str(), static_cast<char*>(nullptr));
  ::_exit(127);
}

void Reap(pid_t child) {
  while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
  }
}

// Waits for the player until it ends, the time is up or a stop signal is
// pending (stop signals are blocked while the program has its window, so a
// signalfd over them turns readable without taking them: the message loop
// still reads them afterwards). A player that is not done by then is ended.
void WaitForPlayer(pid_t child, std::chrono::milliseconds limit) {
  const ScopedFd process(static_cast<int>(::syscall(SYS_pidfd_open, child, 0)));
  const sigset_t stops = StopSignals();
  const ScopedFd stopPending(::signalfd(-1, &stops, SFD_CLOEXEC | SFD_NONBLOCK));
  const auto deadline = std::chrono::steady_clock::now() + limit;
  for (;;) {
    if (::waitpid(child, nullptr, WNOHANG) == child) return;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) break;
    pollfd watched[2] = {{process.Get(), POLLIN, 0}, {stopPending.Get(), POLLIN, 0}};
    // Without a process descriptor, look again now and then.
    const int slice = process.Valid() ? static_cast<int>(left.count())
                                      : static_cast<int>(std::min<std::int64_t>(left.count(), 50));
    const int ready = ::poll(watched, 2, slice);
    if (ready > 0 && (watched[1].revents & POLLIN) != 0) break;
  }
  ::kill(child, SIGKILL);
  Reap(child);
}

}  // namespace

std::string InstalledSoundPath(const std::string& besideProgram) {
  const std::size_t slash = besideProgram.rfind('/');
  const std::string name =
      slash == std::string::npos ? besideProgram : besideProgram.substr(slash + 1);
  return FolderOf(besideProgram) + "/../share/nav_manager/" + name;
}

PosixSoundPlayer::PosixSoundPlayer() : player_(FindPlayer()) {}

PosixSoundPlayer::PosixSoundPlayer(std::string playerPath) : player_(std::move(playerPath)) {}

void PosixSoundPlayer::Play(const std::wstring& path, platform::PlayMode mode) {
  std::string sound = Utf8FromWide(path);
  if (!Readable(sound)) sound = InstalledSoundPath(sound);
  // Only a regular file of PCM samples gets a player: anything else (missing,
  // a FIFO or device that could block it, no sound it plays) is silence,
  // found without a child.
  const std::optional<double> seconds = WaveFileSeconds(sound);
  if (!seconds) return;
  // A device that hangs gets no more than the sound's own length and a margin.
  const std::chrono::milliseconds limit = sound::PlaybackWaitBound(seconds);

  const pid_t child = ::fork();
  if (child < 0) return;
  if (child == 0) {
    if (mode == platform::PlayMode::kAsynchronous) {
      // Its own session and a parent that is gone at once: the sound plays on
      // whatever happens to the starting process, and init reaps it.
      ::setsid();
      if (::fork() != 0) ::_exit(0);
    }
    RunPlayer(player_, sound);
  }
  if (mode == platform::PlayMode::kAsynchronous) {
    Reap(child);
  } else {
    WaitForPlayer(child, limit);
  }
}

}  // namespace nav::posix
