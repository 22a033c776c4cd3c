#include "platform/posix/window_registry.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <utility>

#include "platform/posix/paths.h"
#include "platform/posix/unix_socket.h"

namespace nav::posix {
namespace {

constexpr const char* kLockFileName = "registry.lock";

}  // namespace

WindowRegistry::WindowRegistry(std::string directory) : directory_(std::move(directory)) {}

bool WindowRegistry::PrepareDirectory() { return !PrepareRuntimeDirectory(directory_); }

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
  if (!PrepareDirectory()) {
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
  if (!PrepareDirectory()) {
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
  if (!PrepareDirectory()) {
    return std::nullopt;
  }
  return FirstNameWithPrefix(directory_, prefix,
                             [this](const std::string& name) { return IsLive(name); });
}

ScopedFd WindowRegistry::Connect(const std::string& name) {
  if (!PrepareDirectory()) {
    return {};
  }
  return ConnectSocket(PathOf(name));
}

std::optional<std::string> FirstNameWithPrefix(
    const std::string& directory, const std::string& prefix,
    const std::function<bool(const std::string& name)>& take) {
  const std::unique_ptr<DIR, int (*)(DIR*)> folder(::opendir(directory.c_str()), ::closedir);
  if (!folder) {
    return std::nullopt;
  }
  while (const dirent* entry = ::readdir(folder.get())) {
    const std::string name = entry->d_name;
    if (name.compare(0, prefix.size(), prefix) == 0 && take(name)) {
      return name;
    }
  }
  return std::nullopt;
}

}  // namespace nav::posix
