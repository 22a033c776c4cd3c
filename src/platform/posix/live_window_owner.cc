#include "platform/posix/live_window_owner.h"

#include <dirent.h>

#include <memory>

#include "platform/posix/paths.h"
#include "platform/posix/unix_socket.h"

namespace nav::posix {

std::optional<pid_t> FindLiveWindowOwner(const std::string& directory, const std::string& prefix) {
  if (CheckRuntimeDirectory(directory)) return std::nullopt;
  const std::unique_ptr<DIR, int (*)(DIR*)> folder(::opendir(directory.c_str()), ::closedir);
  if (!folder) return std::nullopt;
  while (const dirent* entry = ::readdir(folder.get())) {
    const std::string name = entry->d_name;
    if (name.compare(0, prefix.size(), prefix) != 0) continue;
    // The owner takes a connection that closes without a line for a look
    // whether it lives.
    std::string path = directory;
    path += '/';
    path += name;
    const ScopedFd connection = ConnectSocket(path);
    if (!connection.Valid()) continue;
    if (const std::optional<pid_t> owner = PeerProcessOfOwnUser(connection.Get())) return owner;
  }
  return std::nullopt;
}

}  // namespace nav::posix
