#include "platform/posix/window_registry.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "child_process.h"
#include "platform/posix/unix_socket.h"
#include "platform/posix/window_name.h"
#include "socket_files.h"

namespace nav::posix {
namespace {

using testing::BindSocketFile;
using testing::Exists;
using testing::LeaveStaleSocket;
using testing::ScratchDirectory;

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
    EXPECT_FALSE(registry.PrepareDirectory()) << std::oct << mode;
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
