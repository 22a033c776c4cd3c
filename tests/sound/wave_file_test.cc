#include "sound/wave_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace nav::sound {
namespace {

void Append16(std::string& bytes, std::uint16_t value) {
  bytes += static_cast<char>(value & 0xFFU);
  bytes += static_cast<char>(value >> 8);
}

void Append32(std::string& bytes, std::uint32_t value) {
  Append16(bytes, static_cast<std::uint16_t>(value & 0xFFFFU));
  Append16(bytes, static_cast<std::uint16_t>(value >> 16));
}

struct Format {
  std::uint16_t tag = 1;
  std::uint16_t channels = 1;
  std::uint32_t rate = 22050;
  std::uint32_t byteRate = 44100;
  std::uint16_t bits = 16;
};

// A wave file with a "fmt " chunk, an odd-sized chunk to skip, and `dataBytes`
// of samples that the header may claim to be `declaredData`.
std::string Wave(const Format& format, std::uint32_t dataBytes, std::uint32_t declaredData) {
  std::string body = "WAVE";
  body += "fmt ";
  Append32(body, 16);
  Append16(body, format.tag);
  Append16(body, format.channels);
  Append32(body, format.rate);
  Append32(body, format.byteRate);
  Append16(body, static_cast<std::uint16_t>(format.channels * format.bits / 8));
  Append16(body, format.bits);
  body += "LIST";
  Append32(body, 3);
  body += "abc";
  body += '\0';  // the pad byte of an odd chunk
  body += "data";
  Append32(body, declaredData);
  body += std::string(dataBytes, '\x01');
  std::string file = "RIFF";
  Append32(file, static_cast<std::uint32_t>(body.size()));
  return file + body;
}

TEST(PcmWave, TheLengthComesFromTheSamplesNotFromTheClaimedByteRate) {
  const std::string honest = Wave({}, 44100, 44100);
  const auto wave = ReadPcmWave(honest);
  ASSERT_TRUE(wave);
  EXPECT_EQ(wave->channels, 1);
  EXPECT_EQ(wave->framesPerSecond, 22050U);
  EXPECT_EQ(wave->samples.size(), 44100U);
  EXPECT_DOUBLE_EQ(wave->Seconds(), 1.0);

  // A byte rate of 1 would make the same samples last half a day.
  Format lying;
  lying.byteRate = 1;
  EXPECT_DOUBLE_EQ(ReadPcmWave(Wave(lying, 44100, 44100))->Seconds(), 1.0);

  // A data chunk that claims more than the file holds, and half a frame at
  // its end: only whole frames that are there count.
  const auto cut = ReadPcmWave(Wave({}, 4411, 1000000));
  ASSERT_TRUE(cut);
  EXPECT_EQ(cut->samples.size(), 4410U);
}

TEST(PcmWave, AnythingButPlainPcmIsRefused) {
  Format compressed;
  compressed.tag = 2;
  Format wide;
  wide.bits = 24;
  Format noChannels;
  noChannels.channels = 0;
  Format noRate;
  noRate.rate = 0;
  EXPECT_FALSE(ReadPcmWave(Wave(compressed, 100, 100)));
  EXPECT_FALSE(ReadPcmWave(Wave(wide, 99, 99)));
  EXPECT_FALSE(ReadPcmWave(Wave(noChannels, 100, 100)));
  EXPECT_FALSE(ReadPcmWave(Wave(noRate, 100, 100)));
  EXPECT_FALSE(ReadPcmWave(Wave({}, 0, 0)));
  EXPECT_FALSE(ReadPcmWave(Wave({}, 100, 100).substr(0, 30)));
  EXPECT_FALSE(ReadPcmWave("RIFF"));
  EXPECT_FALSE(ReadPcmWave(""));
}

TEST(PcmWave, AWaitIsBoundedWhateverTheFileClaims) {
  EXPECT_EQ(PlaybackWaitBound(0.5), std::chrono::milliseconds(3500));
  EXPECT_EQ(PlaybackWaitBound(7.0 * 3600), PlaybackWaitBound(std::nullopt));
  EXPECT_LE(PlaybackWaitBound(std::nullopt), std::chrono::seconds(15));
}

}  // namespace
}  // namespace nav::sound
