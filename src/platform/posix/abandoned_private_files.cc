#include "platform/posix/abandoned_private_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <csignal>
#include <string>
#include <string_view>

#include "platform/posix/private_name_creation.h"

namespace nav::posix {
namespace {

// The process that made the private name `name`, or 0 when it is none of
// ours: exactly the prefix, the creator's process number and a serial number,
// both in decimal without a leading zero, as CreateLocked writes them.
pid_t CreatorOfPrivateName(std::string_view name) {
  if (!name.starts_with(kPrivateNamePrefix)) return 0;
  const char* const end = name.data() + name.size();
  pid_t pid = 0;
  unsigned serial = 0;
  const auto [dot, pidError] = std::from_chars(name.data() + kPrivateNamePrefix.size(), end, pid);
  if (pidError != std::errc{} || pid <= 0 || dot == end || *dot != '.') return 0;
  const auto [rest, serialError] = std::from_chars(dot + 1, end, serial);
  if (serialError != std::errc{} || rest != end) return 0;
  // Written back, the numbers must give the very same name.
  if (name != std::string(kPrivateNamePrefix) + std::to_string(pid) + "." + std::to_string(serial))
    return 0;
  return pid;
}

bool ProcessRuns(pid_t pid) { return ::kill(pid, 0) == 0 || errno == EPERM; }

}  // namespace

void RemoveAbandonedPrivateFiles(const std::string& directory) {
  // The exchange folder may be a symbolic link: its files lie where it
  // points. The files themselves are never followed.
  const int dirFd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd < 0) return;
  DIR* entries = ::fdopendir(dirFd);
  if (entries == nullptr) {
    ::close(dirFd);
    return;
  }
  while (const dirent* entry = ::readdir(entries)) {
    const pid_t creator = CreatorOfPrivateName(entry->d_name);
    if (creator == 0 || ProcessRuns(creator)) continue;
    struct stat status {};
    if (::fstatat(dirFd, entry->d_name, &status, AT_SYMLINK_NOFOLLOW) != 0) continue;
    if (!S_ISREG(status.st_mode) || status.st_uid != ::geteuid()) continue;
    ::unlinkat(dirFd, entry->d_name, 0);
  }
  ::closedir(entries);
}

}  // namespace nav::posix
