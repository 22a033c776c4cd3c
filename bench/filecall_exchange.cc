// One exchange with the navigator on real files, against an in-process
// navigator that answers at once.
//
// BM_ExchangeInstantReply: the navigator has answered by the time the channel
// first looks at its marker, so no sleep happens; the figure is the file cost
// of a whole exchange (the channel's deletes, writes, poll and read, plus the
// stand-in navigator's read and removal of the request and write of its
// reply).
//
// BM_ExchangeReplyAfterFirstLook: the navigator answers at once, but only
// just after the channel's first look; the channel then sees the reply after
// one real 200 ms poll interval. This is the granularity of the plain poll.
#include <benchmark/benchmark.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "filecall/file_call_channel.h"
#include "filecall/navigator_names.h"
#include "platform/posix/posix_clock.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_stop_request.h"

namespace nav {
namespace {

constexpr std::string_view kReply = "0|1|512345|5212345|";

// The exchange's root for one benchmark: a fresh folder under the system's
// temporary folder, removed with everything in it afterwards. Without one
// (Failure() says why) the benchmark must not run: an empty root would put
// the exchange at the top of the file system.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::error_code error;
    const std::filesystem::path temporary = std::filesystem::temp_directory_path(error);
    std::string pattern = (temporary / "nav_bench_XXXXXX").string();
    if (error) {
      failure_ = "no temporary folder: " + error.message();
    } else if (::mkdtemp(pattern.data()) == nullptr) {
      failure_ = "cannot make " + pattern + ": " + std::strerror(errno);
    } else {
      path_ = pattern;
    }
  }
  ~ScratchFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  [[nodiscard]] const std::string& String() const { return path_; }
  [[nodiscard]] const std::string& Failure() const { return failure_; }

 private:
  std::string path_;
  std::string failure_;
};

// The navigator's work on one request: take it (read it and remove it with
// its marker), write the reply, then the marker, each through exclusive opens
// like the channel's own. A request left in place would be answered again
// while the channel clears the old reply, which it then refuses as a reply
// that cannot be removed.
void Answer(platform::FileSystem& files) {
  std::string request;
  if (auto file = files.OpenForReading(kRequestMessagePath)) {
    file->Read(static_cast<std::size_t>(file->Length()), request);
  }
  if (request.empty()) return;
  files.RemoveFile(kRequestMessagePath);
  files.RemoveFile(kRequestFinishedPath);
  if (auto file = files.CreateForWriting(kReplyMessagePath)) file->Write(kReply);
  if (auto file = files.CreateForWriting(kReplyFinishedPath)) file->Write("1");
}

// Lets the navigator answer just before the channel's first look at the
// reply marker, as if it had answered the moment the request marker appeared.
class InstantNavigator : public platform::FileSystem {
 public:
  explicit InstantNavigator(platform::FileSystem& files) : files_(files) {}

  bool MakeDirectory(const std::wstring& path) override { return files_.MakeDirectory(path); }
  bool RemoveFile(const std::wstring& path) override { return files_.RemoveFile(path); }
  bool Exists(const std::wstring& path) override { return files_.Exists(path); }
  std::unique_ptr<platform::ExclusiveFile> CreateForWriting(const std::wstring& path) override {
    return files_.CreateForWriting(path);
  }
  std::unique_ptr<platform::ExclusiveFile> OpenForReading(const std::wstring& path) override {
    if (path == kReplyFinishedPath) Answer(files_);
    return files_.OpenForReading(path);
  }

 private:
  platform::FileSystem& files_;
};

// A clock that must not be slept on: the instant reply never waits.
class NoSleepClock : public posix::PosixClock {
 public:
  void Sleep(std::uint32_t /*ms*/) override { ++sleeps; }
  int sleeps = 0;
};

// The navigator answers during the channel's first real sleep.
class AnsweringClock : public posix::PosixClock {
 public:
  explicit AnsweringClock(platform::FileSystem& files) : files_(files) {}
  void Sleep(std::uint32_t ms) override {
    Answer(files_);
    posix::PosixClock::Sleep(ms);
  }

 private:
  platform::FileSystem& files_;
};

class SilentNotifier : public platform::Notifier {
 public:
  void ShowMessage(const std::wstring& /*text*/, const std::wstring& /*caption*/) override {}
};

void BM_ExchangeInstantReply(benchmark::State& state) {
  const ScratchFolder root;
  if (root.String().empty()) {
    state.SkipWithError(root.Failure().c_str());
    return;
  }
  posix::PosixFileSystem files(root.String());
  InstantNavigator navigator(files);
  NoSleepClock clock;
  posix::PosixStopRequest stop;
  SilentNotifier notifier;
  FileCallChannel channel(navigator, clock, stop, notifier);
  CommandList list;
  for (auto _ : state) {
    list.Clear();
    list.PutAt(0, L"GetCurrentPositionV01|");
    if (channel.Call(list) != 4) state.SkipWithError("exchange failed");
  }
  if (clock.sleeps != 0) state.SkipWithError("the instant reply waited");
}
BENCHMARK(BM_ExchangeInstantReply)->Unit(benchmark::kMicrosecond);

void BM_ExchangeReplyAfterFirstLook(benchmark::State& state) {
  const ScratchFolder root;
  if (root.String().empty()) {
    state.SkipWithError(root.Failure().c_str());
    return;
  }
  posix::PosixFileSystem files(root.String());
  AnsweringClock clock(files);
  posix::PosixStopRequest stop;
  SilentNotifier notifier;
  FileCallChannel channel(files, clock, stop, notifier);
  CommandList list;
  for (auto _ : state) {
    list.Clear();
    list.PutAt(0, L"GetCurrentPositionV01|");
    if (channel.Call(list) != 4) state.SkipWithError("exchange failed");
  }
}
BENCHMARK(BM_ExchangeReplyAfterFirstLook)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(10);

}  // namespace
}  // namespace nav

BENCHMARK_MAIN();
