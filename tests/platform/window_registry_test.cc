#include "platform/posix/window_registry.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "child_process.h"
#include "platform/posix/unix_socket.h"
#include "platform/posix/window_name.h"
#include "socket_files.h"

namespace nav::posix {
namespace {

using testing::BindSocketFile;
using testing::LeaveStaleSocket;
using testing::ScratchDirectory;

bool Exists(const std::string& path) {
  struct stat status {};
  return ::lstat(path.c_str(), &status) == 0;
}

class ScopedVariable {
 public:
  ScopedVariable(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old, hadOld_ = true;
    if (value != nullptr) {
      ::setenv(name, value, 1);
    } else {
      ::unsetenv(name);
    }
  }
  ~ScopedVariable() {
    if (hadOld_) {
      ::setenv(name_, old_.c_str(), 1);
    } else {
      ::unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::string old_;
  bool hadOld_ = false;
};

TEST(WindowRegistry, DirectoryComesFromTheEnvironmentInOrder) {
  ScopedVariable own("NAV_MANAGER_RUNTIME_DIR", "/run/own");
  ScopedVariable runtime("XDG_RUNTIME_DIR", "/run/user/7");
  EXPECT_EQ(WindowRegistry::DirectoryFromEnvironment(), "/run/own");
  ::setenv("NAV_MANAGER_RUNTIME_DIR", "", 1);
  EXPECT_EQ(WindowRegistry::DirectoryFromEnvironment(), "/run/user/7/nav_manager");
  ::unsetenv("XDG_RUNTIME_DIR");
  ScratchDirectory scratch;
  ScopedVariable home("HOME", scratch.Path().c_str());
  EXPECT_EQ(WindowRegistry::DirectoryFromEnvironment(), scratch / ".cache/nav_manager");
}

// Without a runtime folder no fixed name in /tmp is used: another user could
// make it first and keep the program from ever starting.
TEST(WindowRegistry, AHomeTooLongForASocketAddressGetsAPrivateFolderThatIsKept) {
  ScopedVariable own("NAV_MANAGER_RUNTIME_DIR", "");
  ::unsetenv("XDG_RUNTIME_DIR");
  ScratchDirectory scratch;
  const std::string home = scratch / std::string(100, 'h');
  ASSERT_EQ(::mkdir(home.c_str(), 0700), 0);
  ScopedVariable homeVariable("HOME", home.c_str());

  const std::string first = WindowRegistry::DirectoryFromEnvironment();
  EXPECT_EQ(first.rfind("/tmp/nav_manager-", 0), 0U) << first;
  EXPECT_NE(first, "/tmp/nav_manager-" + std::to_string(::getuid()));
  EXPECT_TRUE(WindowRegistry(first).Usable());
  EXPECT_EQ(WindowRegistry::DirectoryFromEnvironment(), first);
  ::rmdir(first.c_str());
}

TEST(WindowRegistry, AMissingDirectoryIsCreatedPrivate) {
  ScratchDirectory scratch;
  WindowRegistry registry(scratch / "registry");
  ASSERT_TRUE(registry.Claim("KW5#").has_value());
  struct stat status {};
  ASSERT_EQ(::stat((scratch / "registry").c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0700u);
}

// Nothing is created or found in a directory someone else could plant
// sockets in: a window found there might not be ours to talk to.
TEST(WindowRegistry, DirectoriesOthersControlAreRefused) {
  ScratchDirectory scratch;
  const std::string shared = scratch / "shared";
  ASSERT_EQ(::mkdir(shared.c_str(), 0700), 0);
  const ScopedFd live = BindSocketFile(shared + "/KW5#", true);
  ASSERT_TRUE(live.Valid());
  WindowRegistry registry(shared);
  ASSERT_TRUE(registry.IsLive("KW5#"));

  for (const mode_t mode : {0777u, 0770u, 0702u}) {
    ASSERT_EQ(::chmod(shared.c_str(), mode), 0);
    EXPECT_FALSE(registry.Usable()) << std::oct << mode;
    EXPECT_FALSE(registry.IsLive("KW5#")) << std::oct << mode;
    EXPECT_FALSE(registry.FindLiveWithPrefix("KW5#").has_value()) << std::oct << mode;
    EXPECT_FALSE(registry.Claim("Other#").has_value()) << std::oct << mode;
  }
  ASSERT_EQ(::chmod(shared.c_str(), 0700), 0);

  ASSERT_EQ(::symlink(shared.c_str(), (scratch / "link").c_str()), 0);
  EXPECT_FALSE(WindowRegistry(scratch / "link").IsLive("KW5#"));
}

TEST(WindowRegistry, AnotherUsersDirectoryIsRefused) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to hand a directory to another user";
  ScratchDirectory scratch;
  const std::string theirs = scratch / "theirs";
  ASSERT_EQ(::mkdir(theirs.c_str(), 0700), 0);
  const ScopedFd live = BindSocketFile(theirs + "/KW5#", true);
  ASSERT_EQ(::chown(theirs.c_str(), 65534, 65534), 0);  // nobody
  WindowRegistry registry(theirs);
  EXPECT_FALSE(registry.IsLive("KW5#"));
  EXPECT_FALSE(registry.Claim("Other#").has_value());
  EXPECT_FALSE(Exists(theirs + "/Other#"));
}

TEST(WindowRegistry, AStaleSocketIsRemovedWhenFoundAndTakenOverWhenClaimed) {
  ScratchDirectory scratch;
  WindowRegistry registry(scratch.Path());
  LeaveStaleSocket(scratch / "KW5#");
  ASSERT_EQ(ProbeSocket(scratch / "KW5#"), SocketState::kStale);

  EXPECT_FALSE(registry.FindLiveWithPrefix("KW5#").has_value());
  EXPECT_FALSE(Exists(scratch / "KW5#"));

  LeaveStaleSocket(scratch / "KW5#");
  const auto owned = registry.Claim("KW5#");
  ASSERT_TRUE(owned.has_value());
  EXPECT_TRUE(registry.IsLive("KW5#"));
  EXPECT_FALSE(registry.Claim("KW5#").has_value()) << "a live name is never taken over";
}

TEST(WindowRegistry, OnlySocketsAreEverRemoved) {
  ScratchDirectory scratch;
  WindowRegistry registry(scratch.Path());
  ASSERT_TRUE(std::filesystem::create_directory(scratch / "KW5#"));
  EXPECT_FALSE(registry.IsLive("KW5#"));
  EXPECT_FALSE(registry.Claim("KW5#").has_value());
  EXPECT_TRUE(Exists(scratch / "KW5#"));
}

TEST(WindowRegistry, ReleaseLeavesASuccessorsSocketAlone) {
  ScratchDirectory scratch;
  WindowRegistry registry(scratch.Path());
  auto first = registry.Claim("KW5#");
  ASSERT_TRUE(first.has_value());
  // Someone removed our file by hand and a new instance took the name.
  ASSERT_EQ(::unlink((scratch / "KW5#").c_str()), 0);
  const auto second = registry.Claim("KW5#");
  ASSERT_TRUE(second.has_value());

  registry.Release("KW5#", *first);
  EXPECT_TRUE(registry.IsLive("KW5#"));
  registry.Release("KW5#", *second);
  EXPECT_FALSE(Exists(scratch / "KW5#"));
}

}  // namespace
}  // namespace nav::posix
