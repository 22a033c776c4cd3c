#pragma once

#include "platform/sound_player.h"

namespace nav::posix {

// Plays wave files (anything libsndfile reads) on ALSA's "default" device.
// Every sound plays in a child process: a synchronous play waits for it to
// end, an asynchronous one is left to finish on its own, even after this
// process has exited. The sound library's configuration and plug-ins are
// thereby never loaded into the long-running process.
class PosixSoundPlayer final : public platform::SoundPlayer {
 public:
  void Play(const std::wstring& path, platform::PlayMode mode) override;
};

// Plays the file in this process and returns once its last frame has been
// played. False when the file or the device could not be used; nothing is
// printed either way.
bool PlaySoundFileHere(const char* path);

}  // namespace nav::posix
