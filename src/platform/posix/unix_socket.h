#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <string_view>

#include "platform/posix/scoped_fd.h"

namespace nav::posix {

// Small blocking helpers over Unix stream sockets named by a path.

// What a connect() to a socket path says about the window behind it.
enum class SocketState {
  kLive,     // someone listens there
  kStale,    // a socket file nobody listens on any more
  kMissing,  // no file of that name
  kBlocked,  // something else is in the way (not a socket, no access, name too long)
};

SocketState ProbeSocket(const std::string& path);
// A connected stream socket, or an invalid one.
ScopedFd ConnectSocket(const std::string& path);
// A non-blocking listening socket bound to `path`; errno tells why it failed.
ScopedFd ListenOnSocket(const std::string& path);
// Writes all of `bytes`; a peer that went away raises no SIGPIPE.
bool SendAll(int fd, std::string_view bytes);
// Reads up to and excluding the first '\n'. Nothing when the peer closes first,
// more than `maxLength` bytes arrive, or (with timeoutMs >= 0) the wait for
// the next bytes exceeds timeoutMs.
std::optional<std::string> ReceiveLine(int fd, std::size_t maxLength, int timeoutMs);
// Waits until `fd` has something to read (or its peer closed): false when
// that has not happened within timeoutMs.
bool WaitReadable(int fd, int timeoutMs);
// True when the peer of a connected socket runs as this process's user.
bool PeerIsOwnUser(int fd);
// The process id of that peer when it runs as this process's user; for the
// connecting side, the process that listens.
std::optional<pid_t> PeerProcessOfOwnUser(int fd);

}  // namespace nav::posix
