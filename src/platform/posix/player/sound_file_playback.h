#pragma once

namespace nav::posix {

// Plays the wave file (anything libsndfile reads) on ALSA's "default" device
// in this process and returns once its last frame has been played. False when
// the file or the device could not be used; nothing is printed either way.
bool PlaySoundFileHere(const char* path);

// The length of the sound in the file, in seconds; negative when unreadable.
double SoundFileSeconds(const char* path);

}  // namespace nav::posix
