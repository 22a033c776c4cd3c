#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "child_process.h"
#include "marker_window.h"
#include "platform/posix/posix_window_system.h"
#include "platform/posix/unix_socket.h"
#include "socket_files.h"

namespace nav::posix {
namespace {

using platform::kNoWindow;
using platform::Message;
using testing::ChildProcess;
using testing::Eventually;
using testing::Exists;
using testing::MarkerWindow;
using testing::RunMarkerInChild;
using testing::ScratchDirectory;

// The thread sleeps through six periods of the timer: they bring one timer
// message, not six. The stop request raised afterwards is the marker that
// nothing else was waiting.
TEST(PosixWindowSystem, ATimerThatFellBehindTicksOnce) {
  ScratchDirectory scratch;
  PosixWindowSystem system(scratch.Path());
  MarkerWindow marker(system);
  ASSERT_NE(marker.handle, kNoWindow);
  int ticks = 0;
  ASSERT_TRUE(system.SetTimer(7123, 50, [&] { ++ticks; }));
  ::usleep(300000);

  Message message;
  ASSERT_TRUE(system.NextMessage(message));
  EXPECT_EQ(message.id, WM_TIMER);
  EXPECT_EQ(message.wParam, 7123u);
  system.Dispatch(message);
  EXPECT_EQ(ticks, 1);

  ::raise(SIGTERM);
  EXPECT_EQ(marker.RunUntilClosed(), 0);
  EXPECT_EQ(ticks, 1);
}

TEST(PosixWindowSystem, StopSignalsCloseTheWindowAndEndTheProcessWithZero) {
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
    ScratchDirectory scratch;
    ChildProcess running([&] { return RunMarkerInChild(scratch.Path()); });
    PosixWindowSystem system(scratch.Path());
    ASSERT_TRUE(Eventually([&] { return system.Find(L"KW5", nullptr) != kNoWindow; }));
    ::kill(running.Pid(), signal);
    EXPECT_EQ(running.Wait(), 0) << "signal " << signal;
    EXPECT_FALSE(Exists(scratch / "KW5#")) << "signal " << signal;
  }
}

// CPU seconds this process has used.
double CpuSeconds() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

TEST(PosixWindowSystem, AConnectionThatCannotBeAcceptedForWantOfDescriptorsDoesNotSpinTheLoop) {
  ScratchDirectory scratch;
  ChildProcess running([&] {
    PosixWindowSystem system(scratch.Path());
    MarkerWindow marker(system);
    if (marker.handle == kNoWindow || !system.SetTimer(1, 1000, [] {})) return 20;
    // No descriptor is left for accepting the connection that comes.
    const int free = ::dup(0);
    ::close(free);
    rlimit limit{};
    ::getrlimit(RLIMIT_NOFILE, &limit);
    limit.rlim_cur = static_cast<rlim_t>(free);
    if (::setrlimit(RLIMIT_NOFILE, &limit) != 0) return 21;
    while (!Exists(scratch / "connected")) ::usleep(10000);
    const double before = CpuSeconds();
    Message message;
    while (system.NextMessage(message) && message.id != WM_TIMER) {
    }
    // Spinning would burn the whole second until the timer.
    return CpuSeconds() - before < 0.5 ? 0 : 1;
  });
  ASSERT_TRUE(Eventually([&] { return Exists(scratch / "KW5#"); }));
  const ScopedFd waiting = ConnectSocket(scratch / "KW5#");
  ASSERT_TRUE(waiting.Valid());
  ASSERT_EQ(::mkdir((scratch / "connected").c_str(), 0700), 0);
  EXPECT_EQ(running.Wait(), 0);
}

}  // namespace
}  // namespace nav::posix
