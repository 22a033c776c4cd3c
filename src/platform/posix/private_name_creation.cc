#include "platform/posix/private_name_creation.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix/locked_file.h"

namespace nav::posix {

ScopedFd CreateLocked(const std::string& native) {
  static unsigned serial = 0;
  const std::size_t slash = native.rfind('/');
  const std::string directory = slash == std::string::npos ? "." : native.substr(0, slash);
  const std::string privateName = directory + "/" + std::string(kPrivateNamePrefix) +
                                  std::to_string(::getpid()) + "." + std::to_string(++serial);
  ScopedFd fd(
      ::open(privateName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
  if (!fd.Valid()) return OpenLocked(native, O_WRONLY | O_CREAT);
  const bool locked = ::flock(fd.Get(), LOCK_EX | LOCK_NB) == 0;
  const bool linked = locked && ::link(privateName.c_str(), native.c_str()) == 0;
  const int linkError = errno;
  ::unlink(privateName.c_str());
  if (linked) return fd;
  fd.Reset();
  // Someone else created it meanwhile: it is theirs to hold or ours to open.
  if (linkError == EEXIST) return OpenLocked(native, O_WRONLY);
  return OpenLocked(native, O_WRONLY | O_CREAT);
}

}  // namespace nav::posix
