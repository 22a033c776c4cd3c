#pragma once

#include <sys/types.h>

#include <optional>
#include <string>

namespace nav::posix {

// The process that owns a live window whose name starts with `prefix` in the
// window registry `directory`, found by connecting to its socket and asking
// the connection for its peer. Nothing is created, removed or changed there
// (a stale socket stays for the next starter to remove), so that asking
// leaves no trace. Nothing when no such window lives, or when the folder is
// missing or not a private folder of this user.
std::optional<pid_t> FindLiveWindowOwner(const std::string& directory, const std::string& prefix);

}  // namespace nav::posix
