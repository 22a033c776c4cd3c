#pragma once

#include <string>

#include "platform/sound_player.h"

namespace nav::posix {

// Plays wave files through the player program "nav_manager-play" in a child
// process, so that no audio library is ever loaded into the long-running
// process. A synchronous play waits for the player, but no longer than the
// sound's length and a few seconds more, and not at all once a stop signal
// is pending; an asynchronous one is left to finish on its own, even after
// this process has exited.
class PosixSoundPlayer final : public platform::SoundPlayer {
 public:
  // The player beside this program, else in ../libexec/nav_manager/.
  PosixSoundPlayer();
  explicit PosixSoundPlayer(std::string playerPath);

  // A file missing at `path` is looked for in ../share/nav_manager/ from its
  // folder: the sounds of an installed program lie there.
  void Play(const std::wstring& path, platform::PlayMode mode) override;

 private:
  std::string player_;
};

// Where a sound missing from beside the program lies in an installation.
std::string InstalledSoundPath(const std::string& besideProgram);

}  // namespace nav::posix
