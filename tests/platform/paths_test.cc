#include "platform/posix/paths.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "child_process.h"

namespace nav::posix {
namespace {

using testing::ChildProcess;
using testing::ScratchDirectory;

// Sets (or, given nullptr, removes) an environment variable for the scope
// and then restores it, also when an assertion ends the test early. Several
// for one name undo each other in reverse order.
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

TEST(HandheldRootTest, ComesFromNavManagerRootThenHome) {
  ScopedVariable root("NAV_MANAGER_ROOT", "/srv/handheld");
  ScopedVariable home("HOME", "/home/driver");
  EXPECT_EQ(HandheldRootFromEnvironment(), "/srv/handheld");
  ScopedVariable emptyRoot("NAV_MANAGER_ROOT", "");
  EXPECT_EQ(HandheldRootFromEnvironment(), "/home/driver");
  ScopedVariable noRoot("NAV_MANAGER_ROOT", nullptr);
  EXPECT_EQ(HandheldRootFromEnvironment(), "/home/driver");
  ScopedVariable noHome("HOME", nullptr);
  EXPECT_FALSE(HandheldRootFromEnvironment().empty());  // the password database's
}

TEST(RuntimeDirectory, ComesFromTheEnvironmentInOrder) {
  ScopedVariable own("NAV_MANAGER_RUNTIME_DIR", "/run/own");
  ScopedVariable runtime("XDG_RUNTIME_DIR", "/run/user/7");
  EXPECT_EQ(RuntimeDirectoryFromEnvironment(), "/run/own");
  ScopedVariable emptyOwn("NAV_MANAGER_RUNTIME_DIR", "");
  EXPECT_EQ(RuntimeDirectoryFromEnvironment(), "/run/user/7/nav_manager");
  ScopedVariable noRuntime("XDG_RUNTIME_DIR", nullptr);
  ScratchDirectory scratch;
  ScopedVariable home("HOME", scratch.Path().c_str());
  EXPECT_EQ(RuntimeDirectoryFromEnvironment(), scratch / ".cache/nav_manager");
}

// Without a runtime folder no fixed name in /tmp is used: another user could
// make it first and keep the program from ever starting.
TEST(RuntimeDirectory, AHomeTooLongForASocketAddressGetsAPrivateFolderThatIsKept) {
  ScopedVariable own("NAV_MANAGER_RUNTIME_DIR", "");
  ScopedVariable runtime("XDG_RUNTIME_DIR", nullptr);
  ScratchDirectory scratch;
  const std::string home = scratch / std::string(100, 'h');
  ASSERT_EQ(::mkdir(home.c_str(), 0700), 0);
  ScopedVariable homeVariable("HOME", home.c_str());

  const std::string first = RuntimeDirectoryFromEnvironment();
  EXPECT_EQ(first.rfind("/tmp/nav_manager-", 0), 0U) << first;
  EXPECT_NE(first, "/tmp/nav_manager-" + std::to_string(::getuid()));
  EXPECT_EQ(PrepareRuntimeDirectory(first), std::nullopt);
  EXPECT_EQ(RuntimeDirectoryFromEnvironment(), first);
  ::rmdir(first.c_str());
}

constexpr int kRacingStarts = 8;

// The folders kRacingStarts starts racing for the first record of the current HOME
// end up in, one line each.
std::string FoldersOfRacingStarts() {
  int go[2];
  int found[2];
  if (::pipe(go) != 0 || ::pipe(found) != 0) return "no pipe";
  std::vector<std::unique_ptr<ChildProcess>> starts;
  starts.reserve(kRacingStarts);
  for (int i = 0; i < kRacingStarts; ++i) {
    starts.push_back(std::make_unique<ChildProcess>([&] {
      ::close(go[1]);
      char ignored = 0;
      if (::read(go[0], &ignored, 1) != 0) return 2;  // all start once it closes
      const std::string line = RuntimeDirectoryFromEnvironment() + '\n';
      return ::write(found[1], line.data(), line.size()) == static_cast<ssize_t>(line.size()) ? 0
                                                                                              : 1;
    }));
  }
  ::close(go[0]);
  ::close(go[1]);
  ::close(found[1]);
  for (const auto& start : starts) start->Wait();
  std::string lines;
  char buffer[4096];
  for (ssize_t got = 0; (got = ::read(found[0], buffer, sizeof buffer)) > 0;) {
    lines.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(found[0]);
  return lines;
}

// Starts racing for a long home's first record all end up in one folder:
// two folders would be two registries, and two instances running at once.
// A round does not always bring the race about, so there are several.
TEST(RuntimeDirectory, StartsRacingForTheFirstRecordShareOneFolder) {
  ScopedVariable own("NAV_MANAGER_RUNTIME_DIR", "");
  ScopedVariable runtime("XDG_RUNTIME_DIR", nullptr);
  ScratchDirectory scratch;
  const std::string home = scratch / std::string(100, 'h');
  ASSERT_EQ(::mkdir(home.c_str(), 0700), 0);
  ScopedVariable homeVariable("HOME", home.c_str());

  for (int round = 0; round < 16; ++round) {
    ::unlink((home + "/.cache/nav_manager.runtime").c_str());
    const std::string lines = FoldersOfRacingStarts();
    std::set<std::string> folders;
    std::istringstream in(lines);
    std::size_t count = 0;
    for (std::string folder; std::getline(in, folder); ++count) folders.insert(folder);
    for (const std::string& folder : folders) ::rmdir(folder.c_str());
    ASSERT_EQ(count, std::size_t{kRacingStarts}) << lines;  // every start found a folder
    ASSERT_EQ(folders.size(), 1U) << lines;
    ASSERT_EQ(folders.begin()->rfind("/tmp/nav_manager-", 0), 0U) << lines;
  }
}

// A home too long for a socket address that cannot be written (here: one
// that does not exist) keeps no record: a private folder made anyway would be
// new at each start, and each start a second instance.
TEST(RuntimeDirectory, AFallbackTheNextStartCannotFindAgainIsNotUsed) {
  ScopedVariable own("NAV_MANAGER_RUNTIME_DIR", "");
  ScopedVariable runtime("XDG_RUNTIME_DIR", nullptr);
  ScratchDirectory scratch;
  const std::string home = scratch / std::string(100, 'h');
  ScopedVariable homeVariable("HOME", home.c_str());
  EXPECT_EQ(RuntimeDirectoryFromEnvironment(), "");
  EXPECT_EQ(RuntimeDirectoryFromEnvironment(), "");
  EXPECT_NE(PrepareRuntimeDirectory(""), std::nullopt);
}

// Without HOME, the home folder of the password database comes before any
// fixed name in /tmp that another user could take first.
TEST(RuntimeDirectory, WithoutHomeTheHomeFolderOfThePasswordDatabaseIsUsed) {
  ScopedVariable own("NAV_MANAGER_RUNTIME_DIR", "");
  ScopedVariable runtime("XDG_RUNTIME_DIR", nullptr);
  ScopedVariable home("HOME", nullptr);
  const passwd* entry = ::getpwuid(::getuid());
  ASSERT_NE(entry, nullptr);
  const std::string cache = std::string(entry->pw_dir) + "/.cache";
  const bool hadCache = ::access(cache.c_str(), F_OK) == 0;
  EXPECT_EQ(RuntimeDirectoryFromEnvironment(), cache + "/nav_manager");
  if (!hadCache) ::rmdir(cache.c_str());
}

// A relative path in the record would name another folder, and so another
// registry, from each working directory.
TEST(RuntimeDirectory, ARecordedRelativePathIsNotTaken) {
  ScopedVariable own("NAV_MANAGER_RUNTIME_DIR", "");
  ScopedVariable runtime("XDG_RUNTIME_DIR", nullptr);
  ScratchDirectory scratch;
  const std::string home = scratch / std::string(100, 'h');
  ASSERT_EQ(::mkdir(home.c_str(), 0700), 0);
  ASSERT_EQ(::mkdir((home + "/.cache").c_str(), 0700), 0);
  std::ofstream(home + "/.cache/nav_manager.runtime") << "run\n";
  ScopedVariable homeVariable("HOME", home.c_str());
  const std::filesystem::path workingDirectory = std::filesystem::current_path();
  std::filesystem::current_path(scratch.Path());

  const std::string directory = RuntimeDirectoryFromEnvironment();
  std::filesystem::current_path(workingDirectory);
  EXPECT_EQ(directory.rfind("/tmp/nav_manager-", 0), 0U) << directory;
  ::rmdir(directory.c_str());
}

}  // namespace
}  // namespace nav::posix
