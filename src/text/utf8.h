#pragma once

#include <string>
#include <string_view>

namespace nav {

// UTF-8, the bytes of Linux names and paths and of terminals, to and from
// the core's wide text. Invalid input becomes U+FFFD (wide) or is encoded as
// such (narrow).
std::string Utf8FromWide(std::wstring_view wide);
std::wstring WideFromUtf8(std::string_view utf8);

}  // namespace nav
