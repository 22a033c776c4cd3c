#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/sound_player.h"

namespace nav::win32 {

// PlaySoundW of a wave file by path (winmm). An asynchronous sound ends with
// the process that started it, so the process lets it play out with
// FinishPlaying before it ends.
class Win32SoundPlayer : public platform::SoundPlayer {
 public:
  void Play(const std::wstring& path, platform::PlayMode mode) override;

  // Waits until the last asynchronous sound has been played: its length from
  // the wave file plus a short margin, within sound::PlaybackWaitBound.
  void FinishPlaying();

 private:
  // When the last asynchronous sound is over, in GetTickCount64 time.
  std::optional<std::uint64_t> asynchronousEnd_;
};

}  // namespace nav::win32
