#include "platform/posix/window_registry.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>

#include "platform/posix/unix_socket.h"

namespace nav::posix {
namespace {

constexpr const char* kLockFileName = "registry.lock";

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::string(value) : std::string();
}

// Room left in a socket address for the window names: the longest this
// system makes (the navigator's window, encoded) with a margin.
constexpr std::size_t kLongestWindowName = 48;

bool FitsSocketAddress(const std::string& directory) {
  return directory.size() + 1 + kLongestWindowName < sizeof(sockaddr_un::sun_path);
}

// A private folder in /tmp, made once and found again through the record.
std::string RecordedPrivateDirectory(const std::string& cache) {
  const std::string record = cache + "/nav_manager.runtime";
  std::string directory;
  if (std::ifstream in(record); in && std::getline(in, directory) && FitsSocketAddress(directory) &&
                                WindowRegistry(directory).Usable()) {
    return directory;
  }
  std::string pattern = "/tmp/nav_manager-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) return {};
  std::ofstream(record, std::ios::trunc) << pattern << '\n';
  return pattern;
}

}  // namespace

std::string WindowRegistry::DirectoryFromEnvironment() {
  if (std::string own = Variable("NAV_MANAGER_RUNTIME_DIR"); !own.empty()) {
    return own;
  }
  if (std::string runtime = Variable("XDG_RUNTIME_DIR"); !runtime.empty()) {
    return runtime + "/nav_manager";
  }
  // A fixed name in /tmp could be made first by another user, and the
  // program could then never start.
  const std::string home = Variable("HOME");
  if (home.empty()) return "/tmp/nav_manager-" + std::to_string(::getuid());
  const std::string cache = home + "/.cache";
  ::mkdir(cache.c_str(), 0700);
  if (FitsSocketAddress(cache + "/nav_manager")) return cache + "/nav_manager";
  return RecordedPrivateDirectory(cache);
}

WindowRegistry::WindowRegistry(std::string directory) : directory_(std::move(directory)) {}

std::optional<std::string> WindowRegistry::Problem() const {
  if (directory_.empty()) {
    return "no runtime folder is known";
  }
  if (::mkdir(directory_.c_str(), 0700) != 0 && errno != EEXIST) {
    return "cannot create the runtime folder " + directory_ + ": " + std::strerror(errno);
  }
  // lstat: a symbolic link in the directory's place is refused like any
  // other thing that is not our own private directory.
  struct stat status {};
  if (::lstat(directory_.c_str(), &status) != 0) {
    return "cannot use the runtime folder " + directory_ + ": " + std::strerror(errno);
  }
  if (!S_ISDIR(status.st_mode) || status.st_uid != ::geteuid() ||
      (status.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
    return "the runtime folder " + directory_ +
           " is refused: it is not a private folder of this user";
  }
  return std::nullopt;
}

std::string WindowRegistry::PathOf(const std::string& name) const {
  return directory_ + "/" + name;
}

ScopedFd WindowRegistry::Lock() const {
  ScopedFd lock(
      ::open(PathOf(kLockFileName).c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600));
  if (!lock.Valid()) {
    return lock;
  }
  int result = 0;
  do {
    result = ::flock(lock.Get(), LOCK_EX);
  } while (result != 0 && errno == EINTR);
  if (result != 0) {
    lock.Reset();
  }
  return lock;  // closing it releases the lock
}

std::optional<WindowRegistry::OwnedName> WindowRegistry::Claim(const std::string& name) {
  if (!Usable()) {
    return std::nullopt;
  }
  // Under the lock from the first bind to the listen: a racing starter can
  // neither see our bound-but-not-yet-listening socket as stale nor remove
  // it, and of two starters that find the same stale socket only the first
  // replaces it; the second then finds it live.
  const ScopedFd lock = Lock();
  if (!lock.Valid()) {
    return std::nullopt;
  }
  const std::string path = PathOf(name);
  OwnedName owned;
  owned.listener = ListenOnSocket(path);
  if (!owned.listener.Valid() && errno == EADDRINUSE && ProbeSocket(path) == SocketState::kStale) {
    ::unlink(path.c_str());
    owned.listener = ListenOnSocket(path);
  }
  if (!owned.listener.Valid()) {
    return std::nullopt;
  }
  struct stat status {};
  if (::lstat(path.c_str(), &status) == 0) {
    owned.device = status.st_dev;
    owned.inode = status.st_ino;
  }
  return owned;
}

void WindowRegistry::Release(const std::string& name, const OwnedName& owned) {
  const ScopedFd lock = Lock();
  const std::string path = PathOf(name);
  struct stat status {};
  if (::lstat(path.c_str(), &status) == 0 && status.st_dev == owned.device &&
      status.st_ino == owned.inode) {
    ::unlink(path.c_str());
  }
}

void WindowRegistry::RemoveIfStale(const std::string& name) {
  // Looked at again under the lock: between the first look and now its
  // owner may have been a starter between bind and listen, or the name may
  // have been taken over.
  const ScopedFd lock = Lock();
  if (!lock.Valid()) {
    return;
  }
  const std::string path = PathOf(name);
  if (ProbeSocket(path) == SocketState::kStale) {
    ::unlink(path.c_str());
  }
}

bool WindowRegistry::IsLive(const std::string& name) {
  if (!Usable()) {
    return false;
  }
  switch (ProbeSocket(PathOf(name))) {
    case SocketState::kLive:
      return true;
    case SocketState::kStale:
      RemoveIfStale(name);
      // A starter caught between bind and listen refuses too; ask once more.
      return ProbeSocket(PathOf(name)) == SocketState::kLive;
    default:
      return false;
  }
}

std::optional<std::string> WindowRegistry::FindLiveWithPrefix(const std::string& prefix) {
  if (!Usable()) {
    return std::nullopt;
  }
  const std::unique_ptr<DIR, int (*)(DIR*)> directory(::opendir(directory_.c_str()), ::closedir);
  if (!directory) {
    return std::nullopt;
  }
  while (const dirent* entry = ::readdir(directory.get())) {
    const std::string name = entry->d_name;
    if (name.compare(0, prefix.size(), prefix) == 0 && IsLive(name)) {
      return name;
    }
  }
  return std::nullopt;
}

ScopedFd WindowRegistry::Connect(const std::string& name) const {
  if (!Usable()) {
    return {};
  }
  return ConnectSocket(PathOf(name));
}

}  // namespace nav::posix
