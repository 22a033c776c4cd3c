#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string_view>

namespace nav::sound {

// An uncompressed PCM wave file as read from its bytes: the format from its
// "fmt " chunk and the sample bytes of its "data" chunk.
struct PcmWave {
  std::uint16_t channels = 0;
  std::uint32_t framesPerSecond = 0;
  std::uint16_t bitsPerSample = 0;  // 8 (unsigned) or 16 (signed, little-endian)
  // Whole frames only, within the bytes the wave was read from.
  std::string_view samples;

  std::uint32_t BytesPerFrame() const;
  std::uint64_t Frames() const;
  // The playing time, worked out from the samples and the format; the byte
  // rate the header claims is not trusted.
  double Seconds() const;
};

// Reads a RIFF/WAVE file held whole in `bytes`: PCM of 8 or 16 bits, 1 to 8
// channels, 1 Hz to 384 kHz. Nothing for anything else (compressed formats,
// a truncated or malformed header, a file without samples).
std::optional<PcmWave> ReadPcmWave(std::string_view bytes);

// The programs' own sounds are a few hundred kilobytes; a file beyond this is
// not one of them and is not read.
inline constexpr std::uint64_t kLargestWaveFileBytes = 4u << 20;

// How long a program waits for one of its sounds to be played: the sound's
// own length but at most a few seconds (a start or end sound is short, and a
// file may be anything), plus a margin for opening and draining the device.
// An unknown length gets the longest wait.
std::chrono::milliseconds PlaybackWaitBound(std::optional<double> seconds);

}  // namespace nav::sound
