#include "platform/posix/posix_sound_player.h"

#include <alsa/asoundlib.h>
#include <sndfile.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <memory>
#include <string>
#include <vector>

#include "platform/posix/utf8.h"

namespace nav::posix {
namespace {

constexpr unsigned kLatencyUs = 100000;  // 0.1 s of buffering
constexpr sf_count_t kChunkFrames = 1024;

// ALSA reports failures on standard error by default; a missing device must
// stay silent.
void IgnoreAlsaError(const char* /*file*/, int /*line*/, const char* /*function*/, int /*error*/,
                     const char* /*format*/, ...) {}

struct SoundFileCloser {
  void operator()(SNDFILE* file) const { sf_close(file); }
};
struct PcmCloser {
  void operator()(snd_pcm_t* pcm) const { snd_pcm_close(pcm); }
};

// Everything the child needs comes after the fork; the parent's sockets,
// timers and blocked signals are none of its business.
void BecomeCleanChild() {
  ::close_range(3, ~0U, 0);
  sigset_t none;
  sigemptyset(&none);
  ::sigprocmask(SIG_SETMASK, &none, nullptr);
}

pid_t WaitFor(pid_t child) {
  int status = 0;
  pid_t result = 0;
  do {
    result = ::waitpid(child, &status, 0);
  } while (result < 0 && errno == EINTR);
  return result;
}

}  // namespace

bool PlaySoundFileHere(const char* path) {
  SF_INFO info{};
  const std::unique_ptr<SNDFILE, SoundFileCloser> file(sf_open(path, SFM_READ, &info));
  if (!file || info.channels <= 0 || info.samplerate <= 0) {
    return false;
  }

  snd_lib_error_set_handler(IgnoreAlsaError);
  snd_pcm_t* opened = nullptr;
  if (snd_pcm_open(&opened, "default", SND_PCM_STREAM_PLAYBACK, 0) < 0) {
    return false;
  }
  const std::unique_ptr<snd_pcm_t, PcmCloser> pcm(opened);
  if (snd_pcm_set_params(pcm.get(), SND_PCM_FORMAT_S16, SND_PCM_ACCESS_RW_INTERLEAVED,
                         static_cast<unsigned>(info.channels),
                         static_cast<unsigned>(info.samplerate), 1, kLatencyUs) < 0) {
    return false;
  }

  const auto channels = static_cast<std::size_t>(info.channels);
  std::vector<short> samples(static_cast<std::size_t>(kChunkFrames) * channels);
  for (;;) {
    const sf_count_t frames = sf_readf_short(file.get(), samples.data(), kChunkFrames);
    if (frames <= 0) {
      break;
    }
    sf_count_t done = 0;
    while (done < frames) {
      const snd_pcm_sframes_t written =
          snd_pcm_writei(pcm.get(), samples.data() + static_cast<std::size_t>(done) * channels,
                         static_cast<snd_pcm_uframes_t>(frames - done));
      if (written < 0) {
        // An underrun or a suspend: recover and write the same frames again.
        if (snd_pcm_recover(pcm.get(), static_cast<int>(written), 1) < 0) {
          return false;
        }
        continue;
      }
      done += written;
    }
  }
  // Returns once every written frame has left the device.
  return snd_pcm_drain(pcm.get()) >= 0;
}

void PosixSoundPlayer::Play(const std::wstring& path, platform::PlayMode mode) {
  const std::string nativePath = Utf8FromWide(path);
  // A missing file needs no child to find that out.
  if (::access(nativePath.c_str(), R_OK) != 0) {
    return;
  }

  const pid_t child = ::fork();
  if (child < 0) {
    return;
  }
  if (child == 0) {
    BecomeCleanChild();
    if (mode == platform::PlayMode::kAsynchronous) {
      // Its own session and a parent that is gone at once: the sound plays on
      // whatever happens to the starting process, and init reaps it.
      ::setsid();
      const pid_t player = ::fork();
      if (player != 0) {
        ::_exit(0);
      }
    }
    ::_exit(PlaySoundFileHere(nativePath.c_str()) ? 0 : 1);
  }
  WaitFor(child);
}

}  // namespace nav::posix
