#pragma once

#include <optional>
#include <string>

namespace nav::posix {

// The whole of a sound file, read only when it is a regular file no larger
// than a sound of ours can be; the open never blocks (a FIFO or a device in
// its place is refused, not waited on). Nothing otherwise.
std::optional<std::string> ReadSoundFile(const std::string& path);

// The playing time of a PCM wave file in seconds, worked out from its samples
// and format; nothing when it is no such file.
std::optional<double> WaveFileSeconds(const std::string& path);

}  // namespace nav::posix
