#include <gtest/gtest.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <memory>
#include <string>
#include <vector>

#include "child_process.h"
#include "filecall/navigator_names.h"
#include "marker_window.h"
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
using testing::Exists;
using testing::kAddMessage;
using testing::MarkerWindow;
using testing::RunMarkerInChild;
using testing::ScratchDirectory;

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

TEST(PosixWindowSystem, AnOwnerThatDoesNotAnswerInTimeIsGivenUpOn) {
  ScratchDirectory scratch;
  ChildProcess running([&] { return RunMarkerInChild(scratch.Path()); });
  PosixWindowSystem system(scratch.Path());
  WindowHandle found = kNoWindow;
  ASSERT_TRUE(Eventually([&] { return (found = system.Find(L"KW5", nullptr)) != kNoWindow; }));
  // Stopped, as in a debugger: the system still queues the connection.
  ASSERT_EQ(::kill(running.Pid(), SIGSTOP), 0);
  EXPECT_FALSE(system.SendWithin(found, WM_CLOSE, 0, 0, 300));
  EXPECT_NE(system.FailureReason().find("left running"), std::string::npos);
  ::kill(running.Pid(), SIGCONT);
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
        [[maybe_unused]] const ssize_t started = ::read(go[0], &byte, 1);  // all start together
        PosixWindowSystem system(scratch.Path());
        MarkerWindow marker(system);
        // A loser looks for the winner before it reports: only then may
        // the winner be closed.
        const bool won = marker.handle != kNoWindow;
        const bool lostToALiveWinner = !won && system.Find(L"KW5", nullptr) != kNoWindow;
        const char outcome = won ? 'W' : 'L';
        [[maybe_unused]] const ssize_t reported = ::write(results[1], &outcome, 1);
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

}  // namespace
}  // namespace nav::posix
