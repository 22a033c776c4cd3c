#pragma once

#include <string>

#include "platform/sound_player.h"

namespace nav::win32 {

// PlaySoundW of a wave file by path (winmm).
class Win32SoundPlayer : public platform::SoundPlayer {
 public:
  void Play(const std::wstring& path, platform::PlayMode mode) override;
};

}  // namespace nav::win32
