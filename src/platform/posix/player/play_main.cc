// nav_manager-play: plays one PCM wave file to its end on the default sound
// device, for nav_manager, which links no audio library itself.
//
//   nav_manager-play FILE     exit 0 when played, 1 when the file is no
//                             regular file holding 8- or 16-bit PCM or the
//                             device could not be used, 2 on a wrong command
//                             line

#include <unistd.h>

#include <csignal>
#include <optional>
#include <string>

#include "platform/posix/player/sound_file_playback.h"
#include "platform/posix/sound_file.h"
#include "sound/wave_file.h"

namespace {

// A sound device that stops taking frames must not keep a player forever:
// the alarm ends it after the sound's own length and a margin. An alarm
// ignored or blocked by whoever started the program would survive exec.
void ArmAlarm(double seconds) {
  std::signal(SIGALRM, SIG_DFL);
  sigset_t alarm;
  sigemptyset(&alarm);
  sigaddset(&alarm, SIGALRM);
  sigprocmask(SIG_UNBLOCK, &alarm, nullptr);
  const auto bound = nav::sound::PlaybackWaitBound(seconds);
  ::alarm(static_cast<unsigned>((bound.count() + 999) / 1000));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  // Read without blocking, regular files only: a FIFO in the sound's place
  // is refused like a missing file.
  const std::optional<std::string> bytes = nav::posix::ReadSoundFile(argv[1]);
  if (!bytes) return 1;
  const std::optional<nav::sound::PcmWave> wave = nav::sound::ReadPcmWave(*bytes);
  if (!wave) return 1;
  ArmAlarm(wave->Seconds());
  return nav::posix::PlayWaveHere(*wave) ? 0 : 1;
}
