#pragma once

#include <string>
#include <string_view>

namespace nav {

// UTF-8, the bytes of Linux names and paths and of terminals, to and from
// the core's wide text. Invalid input becomes U+FFFD (wide) or is encoded as
// such (narrow).
//
// One wide character is taken for one code point. That holds where wchar_t
// is 32 bits (Linux); where it is 16 bits (Windows, UTF-16) a character beyond
// U+FFFF would come out wrong: a surrogate pair as two U+FFFD, a decoded one
// cut to 16 bits. On Windows only navsim's screen uses this, on text read
// from Windows-1252, which has no such character.
std::string Utf8FromWide(std::wstring_view wide);
std::wstring WideFromUtf8(std::string_view utf8);

}  // namespace nav
