#pragma once

#include <string>
#include <string_view>

namespace nav::posix {

// A window of class C and title T is the socket named enc(C) + "#" + enc(T).
// enc() keeps UTF-8 bytes as they are, except "%", "/", "#" and control bytes,
// which become %XX in upper-case hex. "#" therefore separates class and title
// unambiguously, and no name can leave the registry directory.
std::string EncodeWindowNamePart(std::string_view utf8);
std::string WindowSocketName(const std::wstring& className, const std::wstring& title);
// The start every socket name of windows of `className` has.
std::string WindowClassPrefix(const std::wstring& className);

}  // namespace nav::posix
