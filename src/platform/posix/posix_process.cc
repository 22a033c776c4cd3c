#include "platform/posix/posix_process.h"

#include <unistd.h>

#include <climits>

#include "text/utf8.h"

namespace nav::posix {

std::wstring PosixProcess::ExecutablePath() {
  char buffer[PATH_MAX];
  const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer);
  // A full buffer may hold a cut-off path: better none than a wrong one.
  if (length <= 0 || static_cast<std::size_t>(length) >= sizeof buffer) {
    return {};
  }
  return WideFromUtf8(std::string_view(buffer, static_cast<std::size_t>(length)));
}

std::wstring PosixProcess::PathSeparators() { return L"/"; }

}  // namespace nav::posix
