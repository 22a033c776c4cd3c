#pragma once

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "platform/posix/scoped_fd.h"

namespace nav::testing {

// A Unix socket bound at `path`; listening when asked, else left behind
// closed, as a process that was killed leaves it: a stale socket file.
inline posix::ScopedFd BindSocketFile(const std::string& path, bool listening) {
  posix::ScopedFd fd(::socket(AF_UNIX, SOCK_STREAM, 0));
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
  if (::bind(fd.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    return posix::ScopedFd();
  }
  if (listening) {
    ::listen(fd.Get(), 8);
    return fd;
  }
  return posix::ScopedFd();
}

// Whether anything, a dangling link included, is at `path`.
inline bool Exists(const std::string& path) {
  struct stat status {};
  return ::lstat(path.c_str(), &status) == 0;
}

inline void LeaveStaleSocket(const std::string& path) { BindSocketFile(path, false); }

}  // namespace nav::testing
