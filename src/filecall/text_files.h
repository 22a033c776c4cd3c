#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/file_system.h"

namespace nav {

// A reply larger than this is no reply the navigator sends; it is left
// unread rather than taken whole into memory.
inline constexpr std::size_t kMaxTextFileBytes = std::size_t{1024} * 1024;

// What WriteTextFile returns.
enum WriteResult : std::int32_t {
  kWritten = 1,
  kNotWritten = -1,
};

// What FileHasContent returns.
enum ContentResult : std::int32_t {
  kHasContent = 1,
  kIsEmpty = 0,
  kCannotOpen = -1,
};

// Creates or truncates `path`, without sharing, and writes the 8-bit form of
// `text`: one byte per character, no terminator, no line end. kNotWritten
// when the file cannot be created or opened or the bytes do not all reach it.
std::int32_t WriteTextFile(platform::FileSystem& files, const std::wstring& path,
                           const std::wstring& text);

// Whether the existing file at `path` has content; kCannotOpen when it
// cannot be opened without sharing (missing, or held elsewhere).
std::int32_t FileHasContent(platform::FileSystem& files, const std::wstring& path);

// The whole content of the existing file at `path` as wide text, up to its
// first zero byte. Empty when it cannot be opened without sharing, is empty,
// is larger than kMaxTextFileBytes or cannot be read whole.
std::wstring ReadTextFile(platform::FileSystem& files, const std::wstring& path);

}  // namespace nav
