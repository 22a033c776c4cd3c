#pragma once

#include <string>
#include <string_view>

namespace nav::posix {

// Native Linux names and paths are UTF-8 bytes; the core's text is wide.
// Invalid input becomes U+FFFD (wide) or is encoded as such (narrow).
std::string Utf8FromWide(std::wstring_view wide);
std::wstring WideFromUtf8(std::string_view utf8);

}  // namespace nav::posix
