#include "platform/posix/live_window_owner.h"

#include "platform/posix/paths.h"
#include "platform/posix/unix_socket.h"
#include "platform/posix/window_registry.h"

namespace nav::posix {

std::optional<pid_t> FindLiveWindowOwner(const std::string& directory, const std::string& prefix) {
  if (CheckRuntimeDirectory(directory)) return std::nullopt;
  std::optional<pid_t> owner;
  FirstNameWithPrefix(directory, prefix, [&](const std::string& name) {
    // The owner takes a connection that closes without a line for a look
    // whether it lives.
    const ScopedFd connection = ConnectSocket(directory + '/' + name);
    if (connection.Valid()) owner = PeerProcessOfOwnUser(connection.Get());
    return owner.has_value();
  });
  return owner;
}

}  // namespace nav::posix
