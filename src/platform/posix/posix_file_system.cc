#include "platform/posix/posix_file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <string>
#include <string_view>
#include <utility>

#include "platform/posix/paths.h"

namespace nav::posix {
namespace {

// An open, locked regular file; closing the descriptor releases the lock.
class LockedFile : public platform::ExclusiveFile {
 public:
  explicit LockedFile(int fd) : fd_(fd) {}
  ~LockedFile() override { ::close(fd_); }
  LockedFile(const LockedFile&) = delete;
  LockedFile& operator=(const LockedFile&) = delete;

  std::int64_t Length() override {
    struct stat status {};
    if (::fstat(fd_, &status) != 0) return -1;
    return static_cast<std::int64_t>(status.st_size);
  }

  bool Read(std::size_t count, std::string& bytes) override {
    bytes.assign(count, '\0');
    std::size_t done = 0;
    while (done < count) {
      const ssize_t got = ::read(fd_, bytes.data() + done, count - done);
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) break;
      done += static_cast<std::size_t>(got);
    }
    bytes.resize(done);
    return done == count;
  }

  bool Write(std::string_view bytes) override {
    std::size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t put = ::write(fd_, bytes.data() + done, bytes.size() - done);
      if (put < 0 && errno == EINTR) continue;
      if (put <= 0) return false;
      done += static_cast<std::size_t>(put);
    }
    return true;
  }

 private:
  int fd_;
};

bool HasOtherNames(int fd) {
  struct stat status {};
  return ::fstat(fd, &status) != 0 || status.st_nlink > 1;
}

// Opens `native` with `flags` (never following a final symbolic link, never
// blocking on a FIFO, never leaking into a child process) and takes the
// exclusive lock. -1 when the path is not a regular file or someone else
// holds the lock.
int OpenLocked(const std::string& native, int flags) {
  if (native.find('\0') != std::string::npos) return -1;
  const int fd = ::open(native.c_str(), flags | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0) return -1;  // errno tells why, ENOENT for a missing file
  struct stat status {};
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) ||
      ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    errno = EBUSY;
    return -1;
  }
  return fd;
}

// Creates the missing file `native` already locked. Between a plain create and
// its lock, another process could open and lock the new file and so make the
// creator fail, which cannot happen to an exclusive create on the handheld.
// So the file is made and locked under a private name in the same directory
// and only then linked into place. Where links are not to be had, it falls
// back to create-then-lock.
constexpr std::string_view kPrivatePrefix = ".nav_manager-new.";

int CreateLocked(const std::string& native) {
  static unsigned serial = 0;
  const std::size_t slash = native.rfind('/');
  const std::string directory = slash == std::string::npos ? "." : native.substr(0, slash);
  const std::string privateName = directory + "/" + std::string(kPrivatePrefix) +
                                  std::to_string(::getpid()) + "." + std::to_string(++serial);
  const int fd =
      ::open(privateName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) return OpenLocked(native, O_WRONLY | O_CREAT);
  const bool locked = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
  const bool linked = locked && ::link(privateName.c_str(), native.c_str()) == 0;
  const int linkError = errno;
  ::unlink(privateName.c_str());
  if (linked) return fd;
  ::close(fd);
  // Someone else created it meanwhile: it is theirs to hold or ours to open.
  if (linkError == EEXIST) return OpenLocked(native, O_WRONLY);
  return OpenLocked(native, O_WRONLY | O_CREAT);
}

// The process that made the private name `name`, or 0 when it is none of ours.
pid_t CreatorOfPrivateName(std::string_view name) {
  if (name.substr(0, kPrivatePrefix.size()) != kPrivatePrefix) return 0;
  name.remove_prefix(kPrivatePrefix.size());
  pid_t pid = 0;
  const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), pid);
  if (error != std::errc{} || pid <= 0 || end == name.data() + name.size() || *end != '.') return 0;
  return pid;
}

bool ProcessRuns(pid_t pid) { return ::kill(pid, 0) == 0 || errno == EPERM; }

// A private name is unlinked right after its file is linked into place; one
// whose creator was killed in between would stay for good. Removes those of
// this user whose process has gone: regular files only, and unlinking never
// follows a link.
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

}  // namespace

PosixFileSystem::PosixFileSystem(std::string rootDirectory) : root_(std::move(rootDirectory)) {}

std::string PosixFileSystem::NativePath(const std::wstring& path) const {
  return NativePathFromHandheld(root_, path);
}

bool PosixFileSystem::MakeDirectory(const std::wstring& path) {
  const std::string native = NativePath(path);
  if (native.find('\0') != std::string::npos) return false;
  if (::mkdir(native.c_str(), 0777) == 0) return true;
  // A directory that is there already may hold what an earlier run left.
  if (errno == EEXIST) RemoveAbandonedPrivateFiles(native);
  return false;
}

bool PosixFileSystem::RemoveFile(const std::wstring& path) {
  const std::string native = NativePath(path);
  if (native.find('\0') != std::string::npos) return false;
  // Hold the lock while unlinking, so a file being written elsewhere stays.
  // A path that cannot be opened and locked (a symbolic link, a file we may
  // not read) is unlinked as it is; a file someone holds locked is not.
  const int fd = ::open(native.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return false;
  }
  const bool removed = ::unlink(native.c_str()) == 0;
  if (fd >= 0) ::close(fd);
  return removed;
}

std::unique_ptr<platform::ExclusiveFile> PosixFileSystem::CreateForWriting(
    const std::wstring& path) {
  const std::string native = NativePath(path);
  // No O_TRUNC: the content of a file someone else holds must survive the
  // attempt, so it is cut only once the lock is ours.
  int fd = OpenLocked(native, O_WRONLY);
  if (fd >= 0 && HasOtherNames(fd)) {
    // A hard link planted at an exchange path would have us overwrite the
    // file it shares: drop this name and write a file of our own instead.
    ::close(fd);
    fd = -1;
    if (::unlink(native.c_str()) == 0) errno = ENOENT;
  }
  if (fd < 0 && errno == ENOENT) fd = CreateLocked(native);
  if (fd < 0) return nullptr;
  if (::ftruncate(fd, 0) != 0) {
    ::close(fd);
    return nullptr;
  }
  return std::make_unique<LockedFile>(fd);
}

std::unique_ptr<platform::ExclusiveFile> PosixFileSystem::OpenForReading(const std::wstring& path) {
  const int fd = OpenLocked(NativePath(path), O_RDONLY);
  if (fd < 0) return nullptr;
  return std::make_unique<LockedFile>(fd);
}

}  // namespace nav::posix
