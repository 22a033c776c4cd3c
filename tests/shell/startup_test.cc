#include "shell/startup.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>

#include "fake_platform.h"
#include "shell/program_directory.h"
#include "shell/single_instance.h"

namespace nav {
namespace {

using std::chrono::milliseconds;
using ::testing::ElementsAre;
using testing::FakePlatform;
using testing::FakeWindowSystem;
using ::testing::IsEmpty;

constexpr milliseconds kStartSound{1500};
constexpr milliseconds kPeriod{38000};

std::vector<std::string> TextsOf(const std::vector<testing::Journal::Entry>& entries) {
  std::vector<std::string> texts;
  for (const auto& entry : entries) texts.push_back(entry.what);
  return texts;
}

TEST(StartUp, PlaysTheStartSoundToItsEndThenTicksOnePeriodLater) {
  FakePlatform fake;
  fake.sound.syncDuration = kStartSound;
  fake.windows.CloseMarkerAt(kStartSound + 2 * kPeriod + milliseconds{1000});

  EXPECT_EQ(RunNavManager(fake.platform, fake.state), 0);

  const std::vector<std::string> texts = fake.journal.Texts();
  const std::vector<std::string> startUp(texts.begin(), texts.begin() + 7);
  EXPECT_THAT(startUp, ElementsAre("LockClass KW5", "Find KW5", "RegisterWindowClass KW5 icon 105",
                                   "Create KW5", "ShowWindow hide",
                                   "Play /opt/nav/bin/StartSound.wav sync", "SetTimer 7123 38000"));
  EXPECT_EQ(fake.journal.Starting("SetTimer").at(0).at, kStartSound);
  const auto ticks = fake.journal.Starting("Dispatch WM_TIMER");
  ASSERT_EQ(ticks.size(), 2U);
  EXPECT_EQ(ticks[0].at, kStartSound + kPeriod);
  EXPECT_EQ(ticks[1].at, kStartSound + 2 * kPeriod);
  EXPECT_EQ(fake.sound.played.size(), 1U);
}

TEST(StartUp, TheMarkerWindowIsCreatedVisibleAndHiddenAtOnce) {
  FakePlatform fake;
  fake.windows.CloseMarkerAt(milliseconds{5000});

  RunNavManager(fake.platform, fake.state);

  const auto created = fake.windows.CreatedWindows();
  ASSERT_EQ(created.size(), 1U);
  const platform::WindowCreation& creation = created[0]->creation;
  EXPECT_EQ(creation.className, L"KW5");
  EXPECT_EQ(creation.title, L"");
  EXPECT_EQ(creation.style, WS_VISIBLE);
  EXPECT_EQ(creation.extendedStyle, 0U);
  EXPECT_EQ(std::vector<int>({creation.x, creation.y, creation.width, creation.height}),
            std::vector<int>({10, 10, 50, 50}));
  EXPECT_FALSE(created[0]->visible);
}

TEST(StartUp, ACloseRequestEndsTheRunningInstanceWithExitCodeZero) {
  FakePlatform fake;
  fake.windows.CloseMarkerAt(milliseconds{100000});

  EXPECT_EQ(RunNavManager(fake.platform, fake.state), 0);

  const auto* marker = fake.windows.CreatedWindows().at(0);
  EXPECT_FALSE(marker->alive);
  EXPECT_THAT(TextsOf(fake.journal.Starting("PostQuitMessage")), ElementsAre("PostQuitMessage 0"));
  EXPECT_EQ(fake.sound.played.size(), 1U);  // the running instance ends silently
}

TEST(StartUp, PaintingDrawsNothingAndOtherMessagesGetTheDefaultHandling) {
  FakePlatform fake;
  std::intptr_t paintResult = -1;
  std::intptr_t otherResult = -1;
  fake.windows.At(milliseconds{2000}, [&] {
    const platform::WindowHandle marker = fake.state.markerWindow;
    paintResult = fake.windows.Send(marker, WM_PAINT, 0, 0);
    otherResult = fake.windows.Send(marker, 0x0400, 7, 9);
  });
  fake.windows.CloseMarkerAt(milliseconds{3000});

  RunNavManager(fake.platform, fake.state);

  EXPECT_EQ(paintResult, 0);
  EXPECT_EQ(otherResult, 0);
  EXPECT_EQ(fake.journal.Starting("PaintNothing").size(), 1U);
  EXPECT_THAT(TextsOf(fake.journal.Starting("DefaultProcedure")),
              ElementsAre("DefaultProcedure 1024", "DefaultProcedure WM_CLOSE"));
}

TEST(Toggle, AStartThatFindsARunningInstanceStopsItAndEnds) {
  FakePlatform fake;
  // The marker counts whatever its title.
  const platform::WindowHandle running = fake.windows.AddForeignWindow(L"KW5", L"any title at all");

  EXPECT_EQ(RunNavManager(fake.platform, fake.state), 0);

  EXPECT_THAT(fake.windows.WindowOf(running)->received, ElementsAre(WM_CLOSE));
  // A tick in progress there is asked to stop waiting for the navigator.
  EXPECT_THAT(fake.stop.requestedOf, ElementsAre(running));
  ASSERT_EQ(fake.sound.played.size(), 1U);
  EXPECT_EQ(fake.sound.played[0].path, L"/opt/nav/bin/EndSound.wav");
  EXPECT_EQ(fake.sound.played[0].mode, platform::PlayMode::kAsynchronous);
  EXPECT_THAT(fake.windows.CreatedWindows(), IsEmpty());
  EXPECT_THAT(fake.journal.Starting("RegisterWindowClass"), IsEmpty());
  EXPECT_THAT(fake.journal.Starting("SetTimer"), IsEmpty());
  EXPECT_FALSE(fake.state.channel);
}

TEST(Toggle, ASecondStartStopsTheFirstAndBothExitWithZero) {
  FakePlatform fake;
  testing::RecordingSoundPlayer secondSound{fake.clock, fake.journal};
  int secondExitCode = -1;
  fake.windows.At(kPeriod * 3, [&] {
    ShellState secondState;
    platform::Platform second{fake.navigator.Files(), fake.clock,  fake.stop,
                              fake.notifier,          secondSound, fake.process,
                              fake.windows,           fake.windows};
    secondExitCode = RunNavManager(second, secondState);
  });

  EXPECT_EQ(RunNavManager(fake.platform, fake.state), 0);

  EXPECT_EQ(secondExitCode, 0);
  ASSERT_EQ(secondSound.played.size(), 1U);
  EXPECT_EQ(secondSound.played[0].path, L"/opt/nav/bin/EndSound.wav");
  EXPECT_EQ(secondSound.played[0].mode, platform::PlayMode::kAsynchronous);
  EXPECT_EQ(fake.windows.CreatedWindows().size(), 1U);
}

TEST(Toggle, AStartThatLosesTheRaceForTheMarkerStopsTheWinner) {
  FakePlatform fake;
  platform::WindowHandle winner = platform::kNoWindow;
  // Another start claims the marker between the look-up and the creation.
  fake.windows.BeforeNextCreate([&] { winner = fake.windows.AddForeignWindow(L"KW5", L""); });

  EXPECT_EQ(RunNavManager(fake.platform, fake.state), 0);

  EXPECT_THAT(fake.windows.WindowOf(winner)->received, ElementsAre(WM_CLOSE));
  ASSERT_EQ(fake.sound.played.size(), 1U);
  EXPECT_EQ(fake.sound.played[0].path, L"/opt/nav/bin/EndSound.wav");
  EXPECT_EQ(fake.sound.played[0].mode, platform::PlayMode::kAsynchronous);
  EXPECT_THAT(fake.journal.Starting("SetTimer"), IsEmpty());
  EXPECT_FALSE(fake.state.channel);
}

TEST(Toggle, AMarkerThatCannotBeCreatedFailsTheStart) {
  FakePlatform fake;
  fake.windows.refuseCreation = true;

  EXPECT_EQ(RunNavManager(fake.platform, fake.state), 1);

  EXPECT_THAT(fake.sound.played, IsEmpty());
  EXPECT_THAT(fake.journal.Starting("Send"), IsEmpty());
  EXPECT_THAT(fake.journal.Starting("SetTimer"), IsEmpty());
  EXPECT_FALSE(fake.state.channel);
}

// A hung instance is given up on after the time limit with 1 and left alone;
// a start that cannot take the claim at all touches nothing.
TEST(Toggle, AHungInstanceOrAClaimThatCannotBeHadFailsTheStart) {
  FakePlatform fake;
  const platform::WindowHandle hung = fake.windows.AddForeignWindow(L"KW5", L"");
  fake.windows.HangForeignWindow(hung);

  EXPECT_EQ(RunNavManager(fake.platform, fake.state), 1);

  EXPECT_TRUE(fake.windows.IsWindow(hung));
  // A busy instance is not taken for a hung one: its tick (three calls of
  // about 30 s) is waited out, and then no more than the one limit.
  EXPECT_GT(fake.clock.Elapsed(), std::chrono::seconds{90});
  EXPECT_LE(fake.clock.Elapsed(), std::chrono::milliseconds{kCloseAnswerMs});
  EXPECT_THAT(fake.windows.CreatedWindows(), IsEmpty());
  // Left running, it is no longer asked to stop.
  EXPECT_THAT(fake.stop.withdrawnOf, ElementsAre(hung));

  FakePlatform locked;
  locked.windows.refuseClassLock = true;
  EXPECT_EQ(RunNavManager(locked.platform, locked.state), 1);
  EXPECT_THAT(locked.journal.Texts(), ElementsAre("LockClass KW5"));
}

TEST(StartUp, ATimerThatCannotBeMadeFailsTheStartInsteadOfRunningWithoutTicks) {
  FakePlatform fake;
  fake.windows.refuseTimers = true;
  EXPECT_EQ(RunNavManager(fake.platform, fake.state), 1);
}

TEST(ProgramDirectory, KeepsEverythingUpToTheLastSeparator) {
  testing::FakeProcess process;
  EXPECT_EQ(GetProgramDirectory(process), L"/opt/nav/bin/");

  process.executablePath = L"\\Storage Card\\Nav\\nav_manager.exe";
  process.pathSeparators = L"\\/";
  EXPECT_EQ(GetProgramDirectory(process), L"\\Storage Card\\Nav\\");

  process.executablePath = L"nav_manager";
  EXPECT_EQ(GetProgramDirectory(process), L"");
}

}  // namespace
}  // namespace nav
