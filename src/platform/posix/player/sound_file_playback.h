#pragma once

#include "sound/wave_file.h"

namespace nav::posix {

// Plays the samples of `wave` on ALSA's "default" device in this process, in
// the file's own format (unsigned 8-bit or signed 16-bit little-endian), its
// channels and its rate, and returns once the last frame has been played.
// False when the device could not be used; nothing is printed either way.
bool PlayWaveHere(const sound::PcmWave& wave);

}  // namespace nav::posix
