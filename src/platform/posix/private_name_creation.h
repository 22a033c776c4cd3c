#pragma once

#include <string>
#include <string_view>

#include "platform/posix/scoped_fd.h"

namespace nav::posix {

// New files are first made under a private name in their directory:
// ".nav_manager-new.<pid>.<n>", by process <pid>.
constexpr std::string_view kPrivateNamePrefix = ".nav_manager-new.";

// Creates the missing file `native` already locked. Between a plain create and
// its lock, another process could open and lock the new file and so make the
// creator fail, which cannot happen to an exclusive create on the handheld.
// So the file is made and locked under a private name in the same directory
// and only then linked into place. Where links are not to be had, it falls
// back to create-then-lock. Invalid as OpenLocked is.
ScopedFd CreateLocked(const std::string& native);

}  // namespace nav::posix
