// nav_manager-play: plays one wave file to its end on the default sound
// device, for nav_manager, which links no audio library itself.
//
//   nav_manager-play FILE     exit 0 when played, 1 when the file or device
//                             could not be used, 2 on a wrong command line

#include <unistd.h>

#include <cmath>

#include "platform/posix/player/sound_file_playback.h"

namespace {

// A sound device that stops taking frames must not keep a player forever:
// the sound's own length and this much more is all it gets.
constexpr double kMarginSeconds = 3.0;
constexpr unsigned kUnknownLengthSeconds = 10;

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const double seconds = nav::posix::SoundFileSeconds(argv[1]);
  ::alarm(seconds < 0 ? kUnknownLengthSeconds
                      : static_cast<unsigned>(std::ceil(seconds + kMarginSeconds)));
  return nav::posix::PlaySoundFileHere(argv[1]) ? 0 : 1;
}
