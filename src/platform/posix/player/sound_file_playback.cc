#include "platform/posix/player/sound_file_playback.h"

#include <alsa/asoundlib.h>
#include <sndfile.h>

#include <memory>
#include <vector>


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

}  // namespace

double SoundFileSeconds(const char* path) {
  SF_INFO info{};
  const std::unique_ptr<SNDFILE, SoundFileCloser> file(sf_open(path, SFM_READ, &info));
  if (!file || info.samplerate <= 0) return -1.0;
  return static_cast<double>(info.frames) / info.samplerate;
}

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

}  // namespace nav::posix
