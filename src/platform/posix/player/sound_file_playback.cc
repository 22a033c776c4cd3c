#include "platform/posix/player/sound_file_playback.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <memory>

namespace nav::posix {
namespace {

constexpr unsigned kLatencyUs = 100000;  // 0.1 s of buffering
constexpr snd_pcm_uframes_t kChunkFrames = 1024;

// ALSA reports failures on standard error by default; a missing device must
// stay silent.
void IgnoreAlsaError(const char* /*file*/, int /*line*/, const char* /*function*/, int /*error*/,
                     const char* /*format*/, ...) {}

struct PcmCloser {
  void operator()(snd_pcm_t* pcm) const { snd_pcm_close(pcm); }
};

}  // namespace

bool PlayWaveHere(const sound::PcmWave& wave) {
  snd_lib_error_set_handler(IgnoreAlsaError);
  snd_pcm_t* opened = nullptr;
  if (snd_pcm_open(&opened, "default", SND_PCM_STREAM_PLAYBACK, 0) < 0) return false;
  const std::unique_ptr<snd_pcm_t, PcmCloser> pcm(opened);
  const snd_pcm_format_t format =
      wave.bitsPerSample == 8 ? SND_PCM_FORMAT_U8 : SND_PCM_FORMAT_S16_LE;
  if (snd_pcm_set_params(pcm.get(), format, SND_PCM_ACCESS_RW_INTERLEAVED, wave.channels,
                         wave.framesPerSecond, 1, kLatencyUs) < 0) {
    return false;
  }

  const std::size_t frameBytes = wave.BytesPerFrame();
  const auto frames = static_cast<snd_pcm_uframes_t>(wave.Frames());
  snd_pcm_uframes_t done = 0;
  while (done < frames) {
    const snd_pcm_sframes_t written = snd_pcm_writei(
        pcm.get(), wave.samples.data() + done * frameBytes, std::min(kChunkFrames, frames - done));
    if (written < 0) {
      // An underrun or a suspend: recover and write the same frames again.
      if (snd_pcm_recover(pcm.get(), static_cast<int>(written), 1) < 0) return false;
      continue;
    }
    done += static_cast<snd_pcm_uframes_t>(written);
  }
  // Returns once every written frame has left the device.
  return snd_pcm_drain(pcm.get()) >= 0;
}

}  // namespace nav::posix
