#include "platform/posix/paths.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/posix/scoped_fd.h"
#include "text/utf8.h"

namespace nav::posix {
namespace {

std::string VariableOrEmpty(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string{} : std::string{value};
}

std::string HomeFromPasswordDatabase() {
  long suggested = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(suggested > 0 ? static_cast<std::size_t>(suggested) : 16384);
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
      found == nullptr || found->pw_dir == nullptr) {
    return {};
  }
  return found->pw_dir;
}

// Room left in a socket address for the window names: the longest this
// system makes (the navigator's window, encoded) with a margin.
constexpr std::size_t kLongestWindowName = 48;

bool FitsSocketAddress(const std::string& directory) {
  return directory.size() + 1 + kLongestWindowName < sizeof(sockaddr_un::sun_path);
}

// How a lookup of the runtime folder may treat what is missing.
enum class Missing { kCreate, kLeave };

// $HOME, else the home folder of the password database.
std::string HomeDirectory() {
  std::string home = VariableOrEmpty("HOME");
  if (home.empty()) home = HomeFromPasswordDatabase();
  return home;
}

// The record, opened and locked: exclusively by a start that may make the
// folder, shared by a lookup that only reads. A record this user may only
// read is still followed (it just cannot be replaced). Invalid when it
// cannot be opened. Where the file system has no locks, it goes on unlocked.
ScopedFd LockedRecord(const std::string& record, Missing missing) {
  const bool create = missing == Missing::kCreate;
  ScopedFd fd;
  if (create) fd.Reset(::open(record.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
  if (!fd.Valid()) fd.Reset(::open(record.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.Valid()) {
    while (::flock(fd.Get(), create ? LOCK_EX : LOCK_SH) != 0 && errno == EINTR) {
    }
  }
  return fd;
}

std::string FirstLine(int fd) {
  std::string text;
  char buffer[512];
  ssize_t got = 0;
  while (text.find('\n') == std::string::npos &&
         (got = ::pread(fd, buffer, sizeof buffer, static_cast<off_t>(text.size()))) > 0) {
    text.append(buffer, static_cast<std::size_t>(got));
  }
  return text.substr(0, text.find('\n'));
}

bool WriteRecord(int fd, const std::string& directory) {
  const std::string line = directory + '\n';
  return ::ftruncate(fd, 0) == 0 &&
         ::pwrite(fd, line.data(), line.size(), 0) == static_cast<ssize_t>(line.size());
}

// A private folder in /tmp, made once and found again through the record.
// Starts hold the record's lock from reading it to writing it: two starts
// racing for the first record would otherwise each make a folder, and the
// one whose record is overwritten would run in a registry of its own.
std::string RecordedPrivateDirectory(const std::string& cache, Missing missing) {
  const ScopedFd record = LockedRecord(cache + "/nav_manager.runtime", missing);
  if (!record.Valid()) return {};
  // Only an absolute path: a relative one names another folder from each
  // working directory, and so another registry.
  const auto usable = missing == Missing::kCreate ? PrepareRuntimeDirectory : CheckRuntimeDirectory;
  if (std::string directory = FirstLine(record.Get());
      directory.starts_with('/') && FitsSocketAddress(directory) && !usable(directory)) {
    return directory;
  }
  if (missing == Missing::kLeave) return {};
  std::string made = "/tmp/nav_manager-XXXXXX";
  if (::mkdtemp(made.data()) == nullptr) return {};
  // A folder the next start cannot find again would let it start a second
  // instance, and would stay behind: without its record, none is used.
  if (!WriteRecord(record.Get(), made)) {
    ::rmdir(made.c_str());
    return {};
  }
  return made;
}

std::string RuntimeDirectory(Missing missing) {
  if (std::string own = VariableOrEmpty("NAV_MANAGER_RUNTIME_DIR"); !own.empty()) {
    return own;
  }
  if (std::string runtime = VariableOrEmpty("XDG_RUNTIME_DIR"); !runtime.empty()) {
    return runtime + "/nav_manager";
  }
  // A fixed name in /tmp could be made first by another user, and the
  // program could then never start.
  const std::string home = HomeDirectory();
  if (home.empty()) return "/tmp/nav_manager-" + std::to_string(::getuid());
  const std::string cache = home + "/.cache";
  if (missing == Missing::kCreate) ::mkdir(cache.c_str(), 0700);
  if (FitsSocketAddress(cache + "/nav_manager")) return cache + "/nav_manager";
  return RecordedPrivateDirectory(cache, missing);
}

}  // namespace

std::string HandheldRootFromEnvironment() {
  std::string root = VariableOrEmpty("NAV_MANAGER_ROOT");
  if (root.empty()) root = HomeDirectory();
  return root;
}

std::string NativePathFromHandheld(std::string_view root, std::wstring_view handheldPath) {
  std::string native{root};
  while (!native.empty() && native.back() == '/') native.pop_back();
  if (handheldPath.empty() || handheldPath.front() != L'\\') native.push_back('/');
  for (char c : Utf8FromWide(handheldPath)) native.push_back(c == '\\' ? '/' : c);
  return native;
}

std::string RuntimeDirectoryFromEnvironment() { return RuntimeDirectory(Missing::kCreate); }

std::string ExistingRuntimeDirectoryFromEnvironment() { return RuntimeDirectory(Missing::kLeave); }

std::optional<std::string> PrepareRuntimeDirectory(const std::string& directory) {
  if (directory.empty()) {
    return "no runtime folder is known: set XDG_RUNTIME_DIR, or HOME to a folder it can write";
  }
  if (::mkdir(directory.c_str(), 0700) != 0 && errno != EEXIST) {
    return "cannot create the runtime folder " + directory + ": " + std::strerror(errno);
  }
  return CheckRuntimeDirectory(directory);
}

std::optional<std::string> CheckRuntimeDirectory(const std::string& directory) {
  if (directory.empty()) {
    return "no runtime folder is known";
  }
  // lstat: a symbolic link in the directory's place is refused like any
  // other thing that is not our own private directory.
  struct stat status {};
  if (::lstat(directory.c_str(), &status) != 0) {
    return "cannot use the runtime folder " + directory + ": " + std::strerror(errno);
  }
  if (!S_ISDIR(status.st_mode) || status.st_uid != ::geteuid() ||
      (status.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
    return "the runtime folder " + directory +
           " is refused: it is not a private folder of this user";
  }
  return std::nullopt;
}

}  // namespace nav::posix
