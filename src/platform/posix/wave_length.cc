#include "platform/posix/wave_length.h"

#include <cstdint>
#include <cstring>
#include <fstream>

namespace nav::posix {
namespace {

std::uint32_t LittleEndian32(const unsigned char* bytes) {
  return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
         static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

// Chunks looked at before giving up: a wave file of ours has three or four.
constexpr int kMaxChunks = 16;

}  // namespace

std::optional<double> WaveFileSeconds(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  unsigned char header[12];
  if (!in.read(reinterpret_cast<char*>(header), sizeof header) ||
      std::memcmp(header, "RIFF", 4) != 0 || std::memcmp(header + 8, "WAVE", 4) != 0) {
    return std::nullopt;
  }
  std::uint32_t byteRate = 0;
  for (int chunk = 0; chunk < kMaxChunks; ++chunk) {
    unsigned char chunkHeader[8];
    if (!in.read(reinterpret_cast<char*>(chunkHeader), sizeof chunkHeader)) return std::nullopt;
    const std::uint32_t size = LittleEndian32(chunkHeader + 4);
    if (std::memcmp(chunkHeader, "fmt ", 4) == 0) {
      unsigned char format[12];
      if (size < sizeof format || !in.read(reinterpret_cast<char*>(format), sizeof format)) {
        return std::nullopt;
      }
      byteRate = LittleEndian32(format + 8);
      in.seekg(static_cast<std::streamoff>(size) - static_cast<std::streamoff>(sizeof format) +
                   static_cast<std::streamoff>(size & 1U),
               std::ios::cur);
    } else if (std::memcmp(chunkHeader, "data", 4) == 0) {
      if (byteRate == 0) return std::nullopt;
      return static_cast<double>(size) / byteRate;
    } else {
      in.seekg(static_cast<std::streamoff>(size) + static_cast<std::streamoff>(size & 1U),
               std::ios::cur);
    }
  }
  return std::nullopt;
}

}  // namespace nav::posix
