#include "platform/posix/posix_file_system.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <utility>

#include "platform/posix/abandoned_private_files.h"
#include "platform/posix/locked_file.h"
#include "platform/posix/paths.h"
#include "platform/posix/private_name_creation.h"

namespace nav::posix {
namespace {

bool HasOtherNames(int fd) {
  struct stat status {};
  return ::fstat(fd, &status) != 0 || status.st_nlink > 1;
}

}  // namespace

PosixFileSystem::PosixFileSystem(std::string rootDirectory) : root_(std::move(rootDirectory)) {}

std::string PosixFileSystem::NativePath(const std::wstring& path) const {
  return NativePathFromHandheld(root_, path);
}

bool PosixFileSystem::MakeDirectory(const std::wstring& path) {
  const std::string native = NativePath(path);
  if (native.find('\0') != std::string::npos) return false;
  return ::mkdir(native.c_str(), 0777) == 0;
}

void PosixFileSystem::RemoveAbandonedFiles(const std::wstring& directory) {
  const std::string native = NativePath(directory);
  if (native.find('\0') != std::string::npos) return;
  RemoveAbandonedPrivateFiles(native);
}

bool PosixFileSystem::RemoveFile(const std::wstring& path) {
  const std::string native = NativePath(path);
  if (native.find('\0') != std::string::npos) return false;
  // Hold the lock while unlinking, so a file being written elsewhere stays.
  // A path that cannot be opened and locked (a symbolic link, a file we may
  // not read) is unlinked as it is; a file someone holds locked is not.
  const ScopedFd fd(::open(native.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  if (fd.Valid() && ::flock(fd.Get(), LOCK_EX | LOCK_NB) != 0) return false;
  return ::unlink(native.c_str()) == 0;
}

bool PosixFileSystem::Exists(const std::wstring& path) {
  const std::string native = NativePath(path);
  struct stat status {};
  return native.find('\0') == std::string::npos && ::lstat(native.c_str(), &status) == 0;
}

std::unique_ptr<platform::ExclusiveFile> PosixFileSystem::CreateForWriting(
    const std::wstring& path) {
  const std::string native = NativePath(path);
  // No O_TRUNC: the content of a file someone else holds must survive the
  // attempt, so it is cut only once the lock is ours.
  ScopedFd fd = OpenLocked(native, O_WRONLY);
  if (fd.Valid() && HasOtherNames(fd.Get())) {
    // A hard link planted at an exchange path would have us overwrite the
    // file it shares: drop this name and write a file of our own instead.
    fd.Reset();
    if (::unlink(native.c_str()) == 0) errno = ENOENT;
  }
  if (!fd.Valid() && errno == ENOENT) fd = CreateLocked(native);
  if (!fd.Valid() || ::ftruncate(fd.Get(), 0) != 0) return nullptr;
  return std::make_unique<LockedFile>(std::move(fd));
}

std::unique_ptr<platform::ExclusiveFile> PosixFileSystem::OpenForReading(const std::wstring& path) {
  ScopedFd fd = OpenLocked(NativePath(path), O_RDONLY);
  if (!fd.Valid()) return nullptr;
  return std::make_unique<LockedFile>(std::move(fd));
}

}  // namespace nav::posix
