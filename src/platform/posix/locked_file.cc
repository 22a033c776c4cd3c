#include "platform/posix/locked_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace nav::posix {

std::int64_t LockedFile::Length() {
  struct stat status {};
  if (::fstat(fd_.Get(), &status) != 0) return -1;
  return static_cast<std::int64_t>(status.st_size);
}

bool LockedFile::Read(std::size_t count, std::string& bytes) {
  bytes.assign(count, '\0');
  std::size_t done = 0;
  while (done < count) {
    const ssize_t got = ::read(fd_.Get(), bytes.data() + done, count - done);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    done += static_cast<std::size_t>(got);
  }
  bytes.resize(done);
  return done == count;
}

bool LockedFile::Write(std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t put = ::write(fd_.Get(), bytes.data() + done, bytes.size() - done);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    done += static_cast<std::size_t>(put);
  }
  return true;
}

ScopedFd OpenLocked(const std::string& native, int flags) {
  if (native.find('\0') != std::string::npos) return {};
  ScopedFd fd(::open(native.c_str(), flags | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666));
  if (!fd.Valid()) return fd;
  struct stat status {};
  if (::fstat(fd.Get(), &status) != 0 || !S_ISREG(status.st_mode) ||
      ::flock(fd.Get(), LOCK_EX | LOCK_NB) != 0) {
    fd.Reset();
    errno = EBUSY;
  }
  return fd;
}

}  // namespace nav::posix
