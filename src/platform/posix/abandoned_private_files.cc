#include "platform/posix/abandoned_private_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <csignal>
#include <string_view>

#include "platform/posix/private_name_creation.h"

namespace nav::posix {
namespace {

// The process that made the private name `name`, or 0 when it is none of ours.
pid_t CreatorOfPrivateName(std::string_view name) {
  if (name.substr(0, kPrivateNamePrefix.size()) != kPrivateNamePrefix) return 0;
  name.remove_prefix(kPrivateNamePrefix.size());
  pid_t pid = 0;
  const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), pid);
  if (error != std::errc{} || pid <= 0 || end == name.data() + name.size() || *end != '.') return 0;
  return pid;
}

bool ProcessRuns(pid_t pid) { return ::kill(pid, 0) == 0 || errno == EPERM; }

}  // namespace

void RemoveAbandonedPrivateFiles(const std::string& directory) {
  const int dirFd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
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
