#include "platform/win32/drive_root.h"

#include <algorithm>
#include <string_view>

#include "platform/win32/win32_process.h"

namespace nav::win32 {
namespace {

constexpr std::wstring_view kLongPrefix = L"\\\\?\\";
constexpr std::wstring_view kLongSharePrefix = L"\\\\?\\UNC\\";
constexpr std::wstring_view kSharePrefix = L"\\\\";

wchar_t AsciiUpper(wchar_t c) {
  return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

// Without regard to case: the system takes "\\?\unc\" for "\\?\UNC\".
bool StartsWith(const std::wstring& text, std::wstring_view prefix) {
  return text.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), text.begin(),
                    [](wchar_t a, wchar_t b) { return AsciiUpper(a) == AsciiUpper(b); });
}

bool IsDriveLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

// "server\share" at `from`, up to the backslash after the share; empty when
// either part is missing.
std::wstring ShareAt(const std::wstring& path, std::size_t from) {
  const std::size_t serverEnd = path.find(L'\\', from);
  if (serverEnd == std::wstring::npos || serverEnd == from) return {};
  const std::size_t shareEnd = path.find(L'\\', serverEnd + 1);
  const std::size_t end = shareEnd == std::wstring::npos ? path.size() : shareEnd;
  if (end == serverEnd + 1) return {};
  return path.substr(0, end);
}

}  // namespace

std::wstring DriveRootOf(const std::wstring& path) {
  if (StartsWith(path, kLongSharePrefix)) return ShareAt(path, kLongSharePrefix.size());
  const std::size_t drive = StartsWith(path, kLongPrefix) ? kLongPrefix.size() : 0;
  if (drive == 0 && StartsWith(path, kSharePrefix)) return ShareAt(path, kSharePrefix.size());
  if (path.size() >= drive + 2 && IsDriveLetter(path[drive]) && path[drive + 1] == L':') {
    return path.substr(0, drive + 2);
  }
  return {};
}

std::wstring LongFormOf(const std::wstring& path) {
  if (StartsWith(path, kLongPrefix)) return path;
  if (StartsWith(path, kSharePrefix)) {
    return std::wstring(kLongSharePrefix) + path.substr(kSharePrefix.size());
  }
  return std::wstring(kLongPrefix) + path;
}

std::wstring PlainFormOf(const std::wstring& path) {
  if (StartsWith(path, kLongSharePrefix)) {
    return std::wstring(kSharePrefix) + path.substr(kLongSharePrefix.size());
  }
  if (StartsWith(path, kLongPrefix)) return path.substr(kLongPrefix.size());
  return path;
}

std::wstring ProgramDriveRoot() { return DriveRootOf(Win32Process().ExecutablePath()); }

}  // namespace nav::win32
