#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <string>
#include <vector>

#include "child_process.h"
#include "filecall/navigator_names.h"
#include "platform/posix/posix_window_system.h"
#include "platform/posix/unix_socket.h"
#include "socket_files.h"

namespace nav::posix {
namespace {

using platform::kNoWindow;
using platform::Message;
using platform::WindowHandle;
using testing::ChildProcess;
using testing::Eventually;
using testing::ScratchDirectory;

constexpr std::uint32_t kAddMessage = 0x8000;  // answers wParam + lParam

bool Exists(const std::string& path) {
  struct stat status {};
  return ::lstat(path.c_str(), &status) == 0;
}

// A process's marker window as the program has it: close requests get the
// default handling, the destroy ends the loop with 0. The procedure notes
// what it saw, in order.
struct MarkerWindow {
  explicit MarkerWindow(PosixWindowSystem& windows, const std::wstring& className = L"KW5",
                        const std::wstring& title = L"")
      : system(windows) {
    system.RegisterWindowClass(
        {className, [this](WindowHandle w, std::uint32_t id, std::uintptr_t wp, std::intptr_t lp) {
           seen.push_back(id);
           if (id == WM_DESTROY) {
             this->system.PostQuitMessage(0);
             return std::intptr_t{0};
           }
           if (id == kAddMessage) return static_cast<std::intptr_t>(wp) + lp;
           return this->system.DefaultProcedure(w, id, wp, lp);
         }});
    handle = system.Create({0, className, title, WS_VISIBLE, 10, 10, 50, 50});
  }

  // The message loop; the quit code.
  int Run() {
    Message message;
    while (system.NextMessage(message)) {
      system.TranslateMessage(message);
      system.Dispatch(message);
    }
    return static_cast<int>(message.wParam);
  }

  // 0 when the window was closed and destroyed in that order and the loop
  // ended with 0.
  int RunUntilClosed() {
    const int quit = Run();
    const bool closedThenDestroyed =
        seen.size() >= 2 && seen[seen.size() - 2] == WM_CLOSE && seen.back() == WM_DESTROY;
    return quit == 0 && closedThenDestroyed ? 0 : 10;
  }

  PosixWindowSystem& system;
  WindowHandle handle = kNoWindow;
  std::vector<std::uint32_t> seen;
};

// Runs a marker window of its own in a child process until it is closed.
int RunMarkerInChild(const std::string& directory, const std::wstring& className = L"KW5",
                     const std::wstring& title = L"") {
  PosixWindowSystem system(directory);
  MarkerWindow marker(system, className, title);
  if (marker.handle == kNoWindow) return 20;
  return marker.RunUntilClosed();
}

TEST(PosixWindowSystem, ASecondProcessFindsTheWindowTalksToItAndClosesIt) {
  ScratchDirectory scratch;
  ChildProcess running([&] { return RunMarkerInChild(scratch.Path()); });
  PosixWindowSystem system(scratch.Path());
  WindowHandle found = kNoWindow;
  ASSERT_TRUE(Eventually([&] { return (found = system.Find(L"KW5", nullptr)) != kNoWindow; }));
  EXPECT_TRUE(system.IsWindow(found));

  EXPECT_EQ(system.Send(found, kAddMessage, 40, 2), 42);
  EXPECT_EQ(system.Send(found, kAddMessage, 0, -7), -7);

  // Talk that is not a request reaches no procedure and holds nothing up.
  for (const char* junk : {"", "garbage\n", "16 0\n"}) {
    const ScopedFd raw = ConnectSocket(scratch / "KW5#");
    ASSERT_TRUE(raw.Valid());
    SendAll(raw.Get(), junk);
    ::shutdown(raw.Get(), SHUT_WR);
    EXPECT_FALSE(ReceiveLine(raw.Get(), 64, -1).has_value()) << junk;
  }

  EXPECT_EQ(system.Send(found, WM_CLOSE, 0, 0), 0);
  EXPECT_EQ(running.Wait(), 0);
  // The answer comes after the procedure returned, so the window is gone now.
  EXPECT_FALSE(Exists(scratch / "KW5#"));
  EXPECT_FALSE(system.IsWindow(found));
  EXPECT_EQ(system.Find(L"KW5", nullptr), kNoWindow);
  EXPECT_EQ(system.Send(found, kAddMessage, 1, 1), 0);
}

TEST(PosixWindowSystem, FindsAClassWhateverItsTitleAndATitleExactly) {
  ScratchDirectory scratch;
  PosixWindowSystem navigator(scratch.Path());
  MarkerWindow window(navigator, kNavigatorClassName, kNavigatorTitle);
  ASSERT_NE(window.handle, kNoWindow);
  EXPECT_TRUE(Exists(scratch / "MunichWinClass#TomTom Navigator"));

  PosixWindowSystem other(scratch.Path());
  const std::wstring title = kNavigatorTitle;
  const std::wstring wrongTitle = L"TomTom";
  EXPECT_NE(other.Find(kNavigatorClassName, nullptr), kNoWindow);
  EXPECT_NE(other.Find(kNavigatorClassName, &title), kNoWindow);
  EXPECT_EQ(other.Find(kNavigatorClassName, &wrongTitle), kNoWindow);
  EXPECT_EQ(other.Find(L"MunichWin", nullptr), kNoWindow);
  EXPECT_EQ(other.Find(L"KW5", nullptr), kNoWindow);
}

TEST(PosixWindowSystem, OwnWindowsAreServedDirectlyAndUnregisteredWhenDestroyed) {
  ScratchDirectory scratch;
  PosixWindowSystem system(scratch.Path());
  MarkerWindow marker(system);
  ASSERT_NE(marker.handle, kNoWindow);
  EXPECT_EQ(system.Find(L"KW5", nullptr), marker.handle);
  EXPECT_EQ(system.Send(marker.handle, kAddMessage, 2, 3), 5);  // no wait on our own loop

  EXPECT_EQ(system.Send(marker.handle, WM_CLOSE, 0, 0), 0);
  EXPECT_EQ(marker.seen, (std::vector<std::uint32_t>{kAddMessage, WM_CLOSE, WM_DESTROY}));
  EXPECT_FALSE(system.IsWindow(marker.handle));
  EXPECT_FALSE(Exists(scratch / "KW5#"));
  Message message;
  EXPECT_FALSE(system.NextMessage(message));
  EXPECT_EQ(message.id, WM_QUIT);
  EXPECT_EQ(message.wParam, 0u);
}

TEST(PosixWindowSystem, AMarkerLeftByAKilledInstanceDoesNotBlockTheNextStart) {
  ScratchDirectory scratch;
  ChildProcess killed([&] { return RunMarkerInChild(scratch.Path()); });
  PosixWindowSystem system(scratch.Path());
  ASSERT_TRUE(Eventually([&] { return system.Find(L"KW5", nullptr) != kNoWindow; }));
  ::kill(killed.Pid(), SIGKILL);
  EXPECT_EQ(killed.Wait(), 1000 + SIGKILL);
  ASSERT_TRUE(Exists(scratch / "KW5#"));

  EXPECT_EQ(system.Find(L"KW5", nullptr), kNoWindow);
  testing::LeaveStaleSocket(scratch / "KW5#");
  MarkerWindow next(system);
  EXPECT_NE(next.handle, kNoWindow);
}

// Several starts at once, over a stale marker: exactly one owns the marker
// window, and each of the others then finds it running.
TEST(PosixWindowSystem, RacingStartsLeaveExactlyOneOwner) {
  constexpr int kStarters = 8;
  for (int round = 0; round < 50; ++round) {
    ScratchDirectory scratch;
    testing::LeaveStaleSocket(scratch / "KW5#");
    int go[2];
    int results[2];
    ASSERT_EQ(::pipe(go), 0);
    ASSERT_EQ(::pipe(results), 0);
    std::vector<std::unique_ptr<ChildProcess>> starters;
    for (int i = 0; i < kStarters; ++i) {
      starters.push_back(std::make_unique<ChildProcess>([&] {
        ::close(go[1]);
        char byte = 0;
        static_cast<void>(::read(go[0], &byte, 1));  // all start together
        PosixWindowSystem system(scratch.Path());
        MarkerWindow marker(system);
        // A loser looks for the winner before it reports: only then may
        // the winner be closed.
        const bool won = marker.handle != kNoWindow;
        const bool lostToALiveWinner = !won && system.Find(L"KW5", nullptr) != kNoWindow;
        const char outcome = won ? 'W' : 'L';
        static_cast<void>(::write(results[1], &outcome, 1));
        if (won) return marker.RunUntilClosed();
        return lostToALiveWinner ? 0 : 30;
      }));
    }
    ::close(go[0]);
    ::close(go[1]);
    ::close(results[1]);
    int winners = 0;
    for (int i = 0; i < kStarters; ++i) {
      char outcome = 0;
      ASSERT_EQ(::read(results[0], &outcome, 1), 1);
      winners += outcome == 'W' ? 1 : 0;
    }
    ::close(results[0]);
    // With two owners one could never be closed; the children are killed.
    ASSERT_EQ(winners, 1) << "round " << round;

    PosixWindowSystem closer(scratch.Path());
    const WindowHandle winner = closer.Find(L"KW5", nullptr);
    ASSERT_NE(winner, kNoWindow);
    closer.Send(winner, WM_CLOSE, 0, 0);
    for (auto& starter : starters) EXPECT_EQ(starter->Wait(), 0) << "round " << round;
  }
}

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

TEST(PosixWindowSystem, APeerDrippingItsLineGetsOneDeadlineForAllOfIt) {
  int pair[2];
  ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, pair), 0);
  const ScopedFd reader(pair[0]);
  const ScopedFd writer(pair[1]);
  // Each byte comes well within the limit, the whole line long after it.
  ChildProcess dripping([&] {
    for (int i = 0; i < 10; ++i) {
      ::usleep(100000);
      SendAll(writer.Get(), "M");
    }
    SendAll(writer.Get(), "\n");
    return 0;
  });
  EXPECT_FALSE(ReceiveLine(reader.Get(), 64, 400).has_value());
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
