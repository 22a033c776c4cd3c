#include "platform/win32/win32_process.h"

#include <windows.h>

#include <algorithm>

namespace nav::win32 {
namespace {

// The longest path Windows has, in wide characters.
constexpr std::size_t kLongestPath = 32768;

}  // namespace

std::wstring Win32Process::ExecutablePath() {
  // A program may lie deeper than MAX_PATH: the buffer grows until the whole
  // path fits, for a cut-off path is no path at all.
  std::wstring buffer(MAX_PATH, L'\0');
  while (true) {
    const DWORD length =
        GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) {
      buffer.resize(length);
      return buffer;
    }
    if (buffer.size() >= kLongestPath) return {};
    buffer.resize(std::min(buffer.size() * 2, kLongestPath));
  }
}

std::wstring Win32Process::PathSeparators() { return L"\\"; }

}  // namespace nav::win32
