#include "text/narrow_text.h"

#include <array>
#include <cstdint>

namespace nav {
namespace {

// Windows-1252 bytes 0x80..0x9F; 0 marks the five bytes the code page leaves
// undefined. Every other byte is the Unicode code point of the same value.
// clang-format off
constexpr std::array<char16_t, 32> kHighControlBlock = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};
// clang-format on

char NarrowFromWide(wchar_t wide) {
  // wchar_t holds the code point itself; nothing here is a signed char.
  const auto code = static_cast<std::uint32_t>(wide);  // NOLINT(bugprone-signed-char-misuse)
  if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<char>(code);
  for (std::size_t i = 0; i < kHighControlBlock.size(); ++i) {
    if (kHighControlBlock[i] != 0 && kHighControlBlock[i] == code) {
      return static_cast<char>(0x80 + i);
    }
  }
  return '?';
}

}  // namespace

NarrowText::NarrowText(std::wstring_view wide) {
  bytes_.reserve(wide.size());
  for (const wchar_t c : wide) bytes_.push_back(NarrowFromWide(c));
}

std::wstring WideFromNarrow(std::string_view bytes) {
  std::wstring wide;
  wide.reserve(bytes.size());
  for (const char byte : bytes) {
    const auto value = static_cast<unsigned char>(byte);
    if (value == 0) break;
    char16_t code = value;
    if (value >= 0x80 && value < 0xA0) {
      code = kHighControlBlock[value - 0x80];
      // An undefined byte keeps its own value, so reading never loses a byte.
      if (code == 0) code = value;
    }
    wide.push_back(static_cast<wchar_t>(code));
  }
  return wide;
}

}  // namespace nav
