#include "platform/posix/window_name.h"

#include "text/utf8.h"

namespace nav::posix {
namespace {

bool NeedsEscape(unsigned char byte) {
  return byte < 0x20 || byte == 0x7F || byte == '%' || byte == '/' || byte == '#';
}

}  // namespace

std::string EncodeWindowNamePart(std::string_view utf8) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(utf8.size());
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if (NeedsEscape(byte)) {
      out.push_back('%');
      out.push_back(kHex[byte >> 4]);
      out.push_back(kHex[byte & 0x0F]);
    } else {
      out.push_back(c);
    }
  }
  return out;
}

std::string WindowClassPrefix(const std::wstring& className) {
  return EncodeWindowNamePart(Utf8FromWide(className)) + "#";
}

std::string WindowSocketName(const std::wstring& className, const std::wstring& title) {
  return WindowClassPrefix(className) + EncodeWindowNamePart(Utf8FromWide(title));
}

}  // namespace nav::posix
