#include "platform/posix/unix_socket.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstring>

namespace nav::posix {
namespace {

bool MakeAddress(const std::string& path, sockaddr_un& address) {
  std::memset(&address, 0, sizeof address);
  address.sun_family = AF_UNIX;
  if (path.empty() || path.size() >= sizeof address.sun_path) {
    errno = ENAMETOOLONG;
    return false;
  }
  std::memcpy(address.sun_path, path.data(), path.size());
  return true;
}

int Connect(int fd, const sockaddr_un& address) {
  int result = 0;
  do {
    result = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
  } while (result != 0 && errno == EINTR);
  return result;
}

}  // namespace

SocketState ProbeSocket(const std::string& path) {
  sockaddr_un address{};
  if (!MakeAddress(path, address)) {
    return SocketState::kBlocked;
  }
  // Non-blocking, so a listener with a full backlog answers EAGAIN at once
  // instead of holding us up; it is alive all the same.
  ScopedFd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
  if (!fd.Valid()) {
    return SocketState::kBlocked;
  }
  if (Connect(fd.Get(), address) == 0 || errno == EAGAIN) {
    return SocketState::kLive;
  }
  if (errno == ENOENT) {
    return SocketState::kMissing;
  }
  if (errno != ECONNREFUSED) {
    return SocketState::kBlocked;
  }
  struct stat status {};
  if (::lstat(path.c_str(), &status) != 0) {
    return SocketState::kMissing;
  }
  return S_ISSOCK(status.st_mode) ? SocketState::kStale : SocketState::kBlocked;
}

ScopedFd ConnectSocket(const std::string& path) {
  sockaddr_un address{};
  if (!MakeAddress(path, address)) {
    return {};
  }
  ScopedFd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
  if (!fd.Valid() || Connect(fd.Get(), address) != 0) {
    return {};
  }
  return fd;
}

ScopedFd ListenOnSocket(const std::string& path) {
  sockaddr_un address{};
  if (!MakeAddress(path, address)) {
    return {};
  }
  ScopedFd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
  if (!fd.Valid()) {
    return {};
  }
  if (::bind(fd.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    return {};
  }
  if (::listen(fd.Get(), SOMAXCONN) != 0) {
    const int error = errno;
    ::unlink(path.c_str());
    errno = error;
    return {};
  }
  return fd;
}

bool SendAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (written < 0 && errno == EINTR) {
      continue;
    }
    if (written <= 0) {
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

namespace {

bool WaitReadableUntil(int fd, std::chrono::steady_clock::time_point deadline) {
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    pollfd waiting{fd, POLLIN, 0};
    const int ready =
        ::poll(&waiting, 1, static_cast<int>(std::max<std::int64_t>(left.count(), 0)));
    if (ready < 0 && errno == EINTR) {
      continue;
    }
    return ready > 0;
  }
}

}  // namespace

bool WaitReadable(int fd, int timeoutMs) {
  return WaitReadableUntil(fd,
                           std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs));
}

std::optional<std::string> ReceiveLine(int fd, std::size_t maxLength, int timeoutMs) {
  std::string line;
  char buffer[64];
  // One deadline for the whole line: a peer that drips a byte now and then
  // must not hold the reader for longer than that.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    if (timeoutMs >= 0 && !WaitReadableUntil(fd, deadline)) {
      return std::nullopt;
    }
    // One byte at a time past the line would be wasted effort: the peer
    // sends exactly one line and then waits, so whatever arrives is ours.
    const ssize_t count = ::recv(fd, buffer, sizeof buffer, 0);
    if (count < 0 && errno == EINTR) {
      continue;
    }
    if (count <= 0) {
      return std::nullopt;
    }
    const std::string_view chunk(buffer, static_cast<std::size_t>(count));
    const std::size_t end = chunk.find('\n');
    line.append(chunk.substr(0, end));
    if (line.size() > maxLength) {
      return std::nullopt;
    }
    if (end != std::string_view::npos) {
      return line;
    }
  }
}

bool PeerIsOwnUser(int fd) { return PeerProcessOfOwnUser(fd).has_value(); }

std::optional<pid_t> PeerProcessOfOwnUser(int fd) {
  ucred credentials{};
  socklen_t length = sizeof credentials;
  if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &length) != 0 ||
      credentials.uid != ::geteuid()) {
    return std::nullopt;
  }
  return credentials.pid;
}

}  // namespace nav::posix
