#pragma once

#include <optional>
#include <string>

namespace nav::posix {

// The playing time of a RIFF/WAVE file in seconds, read from its header (the
// byte rate of "fmt " and the size of "data") without any sound library;
// nothing when the header cannot be read that way.
std::optional<double> WaveFileSeconds(const std::string& path);

}  // namespace nav::posix
