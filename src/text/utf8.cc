#include "text/utf8.h"

#include <cstdint>

namespace nav {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t code) {
  if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) code = kReplacement;
  auto byte = [](char32_t value) { return static_cast<char>(static_cast<unsigned char>(value)); };
  if (code < 0x80) {
    out.push_back(byte(code));
  } else if (code < 0x800) {
    out.push_back(byte(0xC0 | (code >> 6)));
    out.push_back(byte(0x80 | (code & 0x3F)));
  } else if (code < 0x10000) {
    out.push_back(byte(0xE0 | (code >> 12)));
    out.push_back(byte(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(byte(0x80 | (code & 0x3F)));
  } else {
    out.push_back(byte(0xF0 | (code >> 18)));
    out.push_back(byte(0x80 | ((code >> 12) & 0x3F)));
    out.push_back(byte(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(byte(0x80 | (code & 0x3F)));
  }
}

}  // namespace

std::string Utf8FromWide(std::wstring_view wide) {
  std::string out;
  out.reserve(wide.size());
  for (const wchar_t c : wide) AppendUtf8(out, static_cast<char32_t>(c));
  return out;
}

std::wstring WideFromUtf8(std::string_view utf8) {
  std::wstring out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    std::size_t length = 0;
    char32_t code = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
      length = 1, code = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      length = 2, code = lead & 0x1Fu, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3, code = lead & 0x0Fu, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4, code = lead & 0x07u, minimum = 0x10000;
    }
    bool valid = length != 0 && i + length <= utf8.size();
    for (std::size_t k = 1; valid && k < length; ++k) {
      const auto next = static_cast<unsigned char>(utf8[i + k]);
      valid = (next & 0xC0) == 0x80;
      code = (code << 6) | (next & 0x3Fu);
    }
    valid = valid && code >= minimum && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF);
    out.push_back(static_cast<wchar_t>(valid ? code : kReplacement));
    i += valid ? length : 1;
  }
  return out;
}

}  // namespace nav
