#include "platform/win32/win32_sound_player.h"

#include <windows.h>
// windows.h first: the sound header builds on its types.
#include <mmsystem.h>

namespace nav::win32 {

void Win32SoundPlayer::Play(const std::wstring& path, platform::PlayMode mode) {
  // A missing file stays silent rather than playing the system's default sound.
  const DWORD timing = mode == platform::PlayMode::kAsynchronous ? SND_ASYNC : SND_SYNC;
  PlaySoundW(path.c_str(), nullptr, SND_FILENAME | SND_NODEFAULT | timing);
}

}  // namespace nav::win32
