#include "sound/wave_file.h"

#include <algorithm>
#include <cmath>

namespace nav::sound {
namespace {

constexpr std::uint16_t kPcmFormat = 1;
constexpr std::uint16_t kMaxChannels = 8;
constexpr std::uint32_t kMaxFramesPerSecond = 384000;
constexpr std::size_t kRiffHeaderBytes = 12;
constexpr std::size_t kChunkHeaderBytes = 8;
constexpr std::size_t kFormatBytes = 16;

constexpr double kLongestSoundSeconds = 10.0;
constexpr std::chrono::milliseconds kDeviceMargin{3000};

std::uint16_t LittleEndian16(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                    static_cast<unsigned char>(bytes[at + 1]) << 8);
}

std::uint32_t LittleEndian32(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint32_t>(LittleEndian16(bytes, at)) |
         static_cast<std::uint32_t>(LittleEndian16(bytes, at + 2)) << 16;
}

// Fills the format fields from a "fmt " chunk's body; false when it is no PCM
// this reader plays.
bool ReadFormat(std::string_view body, PcmWave& wave) {
  if (body.size() < kFormatBytes || LittleEndian16(body, 0) != kPcmFormat) return false;
  wave.channels = LittleEndian16(body, 2);
  wave.framesPerSecond = LittleEndian32(body, 4);
  wave.bitsPerSample = LittleEndian16(body, 14);
  return wave.channels >= 1 && wave.channels <= kMaxChannels && wave.framesPerSecond >= 1 &&
         wave.framesPerSecond <= kMaxFramesPerSecond &&
         (wave.bitsPerSample == 8 || wave.bitsPerSample == 16);
}

}  // namespace

std::uint32_t PcmWave::BytesPerFrame() const {
  return static_cast<std::uint32_t>(channels) * (bitsPerSample / 8U);
}

std::uint64_t PcmWave::Frames() const {
  const std::uint32_t frameBytes = BytesPerFrame();
  return frameBytes == 0 ? 0 : samples.size() / frameBytes;
}

double PcmWave::Seconds() const {
  if (framesPerSecond == 0) return 0.0;
  return static_cast<double>(Frames()) / framesPerSecond;
}

std::optional<PcmWave> ReadPcmWave(std::string_view bytes) {
  if (bytes.size() < kRiffHeaderBytes || bytes.substr(0, 4) != "RIFF" ||
      bytes.substr(8, 4) != "WAVE") {
    return std::nullopt;
  }
  PcmWave wave;
  bool formatRead = false;
  std::size_t at = kRiffHeaderBytes;
  while (bytes.size() - at >= kChunkHeaderBytes) {
    const std::string_view id = bytes.substr(at, 4);
    const std::uint32_t declared = LittleEndian32(bytes, at + 4);
    at += kChunkHeaderBytes;
    // A chunk may claim more than the file holds: only what is there counts.
    const std::size_t size = std::min<std::size_t>(declared, bytes.size() - at);
    const std::string_view body = bytes.substr(at, size);
    if (id == "fmt ") {
      if (!ReadFormat(body, wave)) return std::nullopt;
      formatRead = true;
    } else if (id == "data") {
      if (!formatRead) return std::nullopt;
      wave.samples = body.substr(0, body.size() - body.size() % wave.BytesPerFrame());
      if (wave.samples.empty()) return std::nullopt;
      return wave;
    }
    // Chunks are padded to an even length.
    const std::size_t padded = size + (size & 1U);
    if (padded >= bytes.size() - at) break;
    at += padded;
  }
  return std::nullopt;
}

std::chrono::milliseconds PlaybackWaitBound(std::optional<double> seconds) {
  const double played = seconds && std::isfinite(*seconds)
                            ? std::clamp(*seconds, 0.0, kLongestSoundSeconds)
                            : kLongestSoundSeconds;
  return std::chrono::milliseconds(static_cast<std::int64_t>(std::ceil(played * 1000.0))) +
         kDeviceMargin;
}

}  // namespace nav::sound
