#pragma once

#include <cstdint>
#include <string>

namespace nav::platform {

enum class PlayMode : std::uint32_t {
  kSynchronous = 0,   // returns once the last frame has been played
  kAsynchronous = 1,  // returns at once; the sound plays on by itself
};

class SoundPlayer {
 public:
  virtual ~SoundPlayer() = default;

  // Plays the wave file at the native `path`. A missing file or device is
  // silent and harmless; there is no result.
  virtual void Play(const std::wstring& path, PlayMode mode) = 0;
};

}  // namespace nav::platform
