#pragma once

#include <sys/types.h>

#include <functional>
#include <optional>
#include <string>

#include "platform/posix/scoped_fd.h"

namespace nav::posix {

// The directory in which top-level windows live as listening Unix sockets,
// one per window, named by window_name.h. A window exists while a connect()
// to its socket succeeds; a socket that refuses is stale and is removed by
// whoever comes across it. Removing and taking over names happens under an
// exclusive lock on a file in the directory, so that two processes can never
// both believe they own one name.
class WindowRegistry {
 public:
  explicit WindowRegistry(std::string directory);

  [[nodiscard]] const std::string& Directory() const { return directory_; }
  // Creates the directory (mode 0700) when it is missing. False when it
  // cannot be used (PrepareRuntimeDirectory says why): it is not a directory
  // of this user, or group or others may write to it. Nothing can be created
  // or found in a refused directory.
  bool PrepareDirectory();

  // A window that owns `name`, listening. The name is taken over when its
  // socket is stale; no window comes of it while a live one holds the name.
  struct OwnedName {
    ScopedFd listener;
    dev_t device = 0;
    ino_t inode = 0;
  };
  std::optional<OwnedName> Claim(const std::string& name);
  // Gives up a name: the socket file goes, but only when it is still the one
  // that Claim bound (someone may have removed it and claimed the name anew).
  void Release(const std::string& name, const OwnedName& owned);

  // True when a live window has `name`; a stale socket of that name is removed.
  bool IsLive(const std::string& name);
  // The name of some live window whose name starts with `prefix`.
  std::optional<std::string> FindLiveWithPrefix(const std::string& prefix);
  // A connection to the window `name`, invalid when there is none.
  [[nodiscard]] ScopedFd Connect(const std::string& name);

 private:
  [[nodiscard]] std::string PathOf(const std::string& name) const;
  [[nodiscard]] ScopedFd Lock() const;
  void RemoveIfStale(const std::string& name);

  std::string directory_;
};

// The first name in the registry folder `directory` that starts with
// `prefix` and that `take` accepts; nothing when none does or the folder
// cannot be read. Looking changes nothing in the folder; `take` may.
std::optional<std::string> FirstNameWithPrefix(
    const std::string& directory, const std::string& prefix,
    const std::function<bool(const std::string& name)>& take);

}  // namespace nav::posix
