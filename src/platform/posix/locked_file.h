#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "platform/file_system.h"
#include "platform/posix/scoped_fd.h"

namespace nav::posix {

// An open, locked regular file; closing the descriptor releases the lock.
class LockedFile : public platform::ExclusiveFile {
 public:
  explicit LockedFile(ScopedFd fd) : fd_(std::move(fd)) {}

  std::int64_t Length() override;
  bool Read(std::size_t count, std::string& bytes) override;
  bool Write(std::string_view bytes) override;

 private:
  ScopedFd fd_;
};

// Opens `native` with `flags` (never following a final symbolic link, never
// blocking on a FIFO, never leaking into a child process) and takes the
// exclusive lock. Invalid when the path is not a regular file or someone
// else holds the lock (errno EBUSY), or cannot be opened (errno tells why,
// ENOENT for a missing file).
ScopedFd OpenLocked(const std::string& native, int flags);

}  // namespace nav::posix
