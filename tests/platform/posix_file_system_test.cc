#include "platform/posix/posix_file_system.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "filecall/file_call_channel.h"
#include "platform/posix/paths.h"
#include "support/fake_stop_request.h"
#include "support/recording_notifier.h"
#include "support/temp_directory.h"
#include "support/virtual_clock.h"

namespace nav::posix {
namespace {

namespace fs = std::filesystem;

void WriteBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::optional<std::string> ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class PosixFileSystemTest : public ::testing::Test {
 protected:
  testing::TempDirectory root_;
  PosixFileSystem files_{root_.String()};
  const fs::path native_ = root_.Path() / "file";
  const std::wstring path_ = L"\\file";
};

TEST_F(PosixFileSystemTest, HandheldPathsLandUnderTheRoot) {
  EXPECT_EQ(NativePathFromHandheld("/r", L"\\TomTom\\SdkFileCalls\\x.1.message"),
            "/r/TomTom/SdkFileCalls/x.1.message");
  EXPECT_EQ(NativePathFromHandheld("/r/", L"\\w\u00fcnsch"), "/r/w\xC3\xBCnsch");
  EXPECT_EQ(NativePathFromHandheld("/", L"\\TomTom"), "/TomTom");
  EXPECT_TRUE(files_.MakeDirectory(L"\\TomTom"));
  EXPECT_FALSE(files_.MakeDirectory(L"\\TomTom"));
  EXPECT_TRUE(files_.MakeDirectory(L"\\TomTom\\SdkFileCalls"));
  EXPECT_TRUE(fs::is_directory(root_.Path() / "TomTom" / "SdkFileCalls"));
}

TEST_F(PosixFileSystemTest, CreateTruncatesOnlyOnceTheLockIsHeld) {
  WriteBytes(native_, "someone else's content");
  auto held = files_.OpenForReading(path_);
  ASSERT_NE(held, nullptr);
  EXPECT_EQ(files_.CreateForWriting(path_), nullptr);
  EXPECT_EQ(ReadBytes(native_), "someone else's content");

  held.reset();
  auto file = files_.CreateForWriting(path_);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(file->Length(), 0);
  EXPECT_TRUE(file->Write("new"));
  file.reset();
  EXPECT_EQ(ReadBytes(native_), "new");
}

TEST_F(PosixFileSystemTest, OneOpenAtATimeAndNoWaiting) {
  WriteBytes(native_, "abc");
  auto first = files_.OpenForReading(path_);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(files_.OpenForReading(path_), nullptr);
  EXPECT_FALSE(files_.RemoveFile(path_));
  EXPECT_TRUE(fs::exists(native_));

  std::string bytes;
  EXPECT_EQ(first->Length(), 3);
  EXPECT_FALSE(first->Read(4, bytes));  // fewer bytes than asked for
  first.reset();
  auto second = files_.OpenForReading(path_);
  ASSERT_NE(second, nullptr);
  EXPECT_TRUE(second->Read(3, bytes));
  EXPECT_EQ(bytes, "abc");
  second.reset();

  EXPECT_TRUE(files_.RemoveFile(path_));
  EXPECT_FALSE(files_.RemoveFile(path_));
  EXPECT_EQ(files_.OpenForReading(path_), nullptr);
}

TEST_F(PosixFileSystemTest, ALockHeldByAnotherProcessCountsAsCannotOpen) {
  WriteBytes(native_, "navigator writing");
  int locked[2];
  int release[2];
  ASSERT_EQ(::pipe(locked), 0);
  ASSERT_EQ(::pipe(release), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const int fd = ::open(native_.c_str(), O_RDWR);
    const bool ok = fd >= 0 && ::flock(fd, LOCK_EX) == 0;
    char byte = ok ? '1' : '0';
    (void)!::write(locked[1], &byte, 1);
    (void)!::read(release[0], &byte, 1);
    ::_exit(0);
  }
  char byte = 0;
  ASSERT_EQ(::read(locked[0], &byte, 1), 1);
  ASSERT_EQ(byte, '1');

  EXPECT_EQ(files_.OpenForReading(path_), nullptr);
  EXPECT_EQ(files_.CreateForWriting(path_), nullptr);
  EXPECT_EQ(ReadBytes(native_), "navigator writing");

  ASSERT_EQ(::write(release[1], "x", 1), 1);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_NE(files_.OpenForReading(path_), nullptr);
  for (const int fd : {locked[0], locked[1], release[0], release[1]}) ::close(fd);
}

TEST_F(PosixFileSystemTest, SymbolicLinksAreNeverFollowed) {
  const fs::path target = root_.Path() / "target";
  WriteBytes(target, "untouched");
  fs::create_symlink(target, native_);

  EXPECT_EQ(files_.CreateForWriting(path_), nullptr);
  EXPECT_EQ(files_.OpenForReading(path_), nullptr);
  EXPECT_EQ(ReadBytes(target), "untouched");

  EXPECT_TRUE(files_.RemoveFile(path_));  // the link itself goes
  EXPECT_FALSE(fs::exists(fs::symlink_status(native_)));
  EXPECT_EQ(ReadBytes(target), "untouched");
}

TEST_F(PosixFileSystemTest, OnlyRegularFilesOpenAndNothingBlocks) {
  fs::create_directory(native_);
  EXPECT_EQ(files_.OpenForReading(path_), nullptr);
  EXPECT_EQ(files_.CreateForWriting(path_), nullptr);
  EXPECT_FALSE(files_.RemoveFile(path_));
  fs::remove(native_);

  // A FIFO without a writer or reader would hang a blocking open.
  ASSERT_EQ(::mkfifo(native_.c_str(), 0600), 0);
  EXPECT_EQ(files_.OpenForReading(path_), nullptr);
  EXPECT_EQ(files_.CreateForWriting(path_), nullptr);
}

TEST_F(PosixFileSystemTest, FilesDoNotLeakIntoChildProcesses) {
  // A child that inherited the descriptor would keep the file locked.
  auto file = files_.CreateForWriting(path_);
  ASSERT_NE(file, nullptr);
  bool anyInheritable = false;
  for (const auto& entry : fs::directory_iterator("/proc/self/fd")) {
    const int fd = std::stoi(entry.path().filename().string());
    std::error_code error;
    if (fs::read_symlink(entry.path(), error) == native_) {
      anyInheritable = anyInheritable || (::fcntl(fd, F_GETFD) & FD_CLOEXEC) == 0;
    }
  }
  EXPECT_FALSE(anyInheritable);
}

}  // namespace
}  // namespace nav::posix

namespace nav::posix {
namespace {

// A reader polling for a file must never catch a new one between its
// creation and its lock: that would make the writer fail, as it never can
// on the handheld, where an exclusive create is one step.
TEST_F(PosixFileSystemTest, ANewFileAppearsAlreadyLocked) {
  const pid_t poller = ::fork();
  ASSERT_GE(poller, 0);
  if (poller == 0) {
    PosixFileSystem reader(root_.String());
    for (;;) reader.OpenForReading(path_);
  }
  int failures = 0;
  for (int round = 0; round < 20000; ++round) {
    if (!files_.RemoveFile(path_) && fs::exists(native_)) continue;  // the reader holds it
    if (files_.CreateForWriting(path_) == nullptr) ++failures;
  }
  ::kill(poller, SIGKILL);
  ::waitpid(poller, nullptr, 0);
  EXPECT_EQ(failures, 0);
  for (const auto& entry : fs::directory_iterator(root_.Path())) {
    EXPECT_EQ(entry.path(), native_) << "left behind";
  }
}

TEST_F(PosixFileSystemTest, AFileWithAPlantedHardLinkIsReplacedNotOverwritten) {
  const fs::path victim = root_.Path() / "victim";
  WriteBytes(victim, "precious");
  fs::create_hard_link(victim, native_);
  {
    const auto file = files_.CreateForWriting(path_);
    ASSERT_NE(file, nullptr);
    EXPECT_TRUE(file->Write("request"));
  }
  EXPECT_EQ(ReadBytes(victim), "precious");
  EXPECT_EQ(ReadBytes(native_), "request");
  EXPECT_EQ(fs::hard_link_count(native_), 1U);
}

TEST_F(PosixFileSystemTest, PrivateFilesOfAKilledRunAreRemovedWhenTheExchangeFolderIsMadeAgain) {
  const pid_t gone = ::fork();
  if (gone == 0) ::_exit(0);
  ::waitpid(gone, nullptr, 0);
  const fs::path folder = root_.Path() / "TomTom" / "SdkFileCalls";
  fs::create_directories(folder);
  const std::string prefix = ".nav_manager-new.";
  const fs::path abandoned = folder / (prefix + std::to_string(gone) + ".1");
  const fs::path ours = folder / (prefix + std::to_string(::getpid()) + ".1");
  const fs::path link = folder / (prefix + std::to_string(gone) + ".2");
  const fs::path other = folder / "kept";
  WriteBytes(abandoned, "");
  WriteBytes(ours, "");
  WriteBytes(other, "");
  fs::create_symlink(other, link);

  testing::VirtualClock clock;
  testing::FakeStopRequest stop;
  testing::RecordingNotifier notifier;
  const FileCallChannel channel(files_, clock, stop, notifier);
  EXPECT_FALSE(fs::exists(abandoned));
  EXPECT_TRUE(fs::exists(ours));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_TRUE(fs::exists(other));
}

// Only the very names the program writes are swept, also where the exchange
// folder is a symbolic link to the folder that holds them.
TEST_F(PosixFileSystemTest, TheSweepTakesExactPrivateNamesAlsoThroughALinkedExchangeFolder) {
  const pid_t gone = ::fork();
  if (gone == 0) ::_exit(0);
  ::waitpid(gone, nullptr, 0);
  const fs::path target = root_.Path() / "elsewhere";
  fs::create_directories(target);
  fs::create_directories(root_.Path() / "TomTom");
  fs::create_directory_symlink(target, root_.Path() / "TomTom" / "SdkFileCalls");
  const std::string name = ".nav_manager-new." + std::to_string(gone);
  const fs::path abandoned = target / (name + ".7");
  WriteBytes(abandoned, "");
  const std::vector<fs::path> alike = {
      target / (".nav_manager-new.0" + std::to_string(gone) + ".7"), target / (name + ".07"),
      target / (name + ".7 "), target / (name + ".7.1"), target / (name + ".+7")};
  for (const fs::path& path : alike) WriteBytes(path, "");

  testing::VirtualClock clock;
  testing::FakeStopRequest stop;
  testing::RecordingNotifier notifier;
  const FileCallChannel channel(files_, clock, stop, notifier);
  EXPECT_FALSE(fs::exists(abandoned));
  for (const fs::path& path : alike) EXPECT_TRUE(fs::exists(path)) << path;
}

}  // namespace
}  // namespace nav::posix
