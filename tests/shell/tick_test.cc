#include "shell/tick.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_platform.h"
#include "filecall/navigator_names.h"

namespace nav {
namespace {

using ::testing::ElementsAre;
using testing::FakePlatform;
using ::testing::IsEmpty;

constexpr wchar_t kPosition[] = L"GetCurrentPositionV01|";
constexpr wchar_t kDay[] = L"ChangeSettingV01|3|";
constexpr wchar_t kNight[] = L"ChangeSettingV01|2|";
constexpr wchar_t kGreeting[] = L"FlashMessage|dorn-k w\u00fcnscht dir eine gute Reise|5000|";

// The navigator runs in Amsterdam, where it is 14:00 on 21 June 2005.
class TickTest : public ::testing::Test {
 protected:
  TickTest() {
    fake.StartNavigator();
    fake.OpenChannel();
    fake.clock.SetLocal(2005, 6, 21, 14, 0);
  }

  // Runs one tick and returns the commands the navigator received during it.
  std::vector<std::wstring> Tick() {
    const std::size_t before = fake.navigator.Requests().size();
    OnTick(fake.platform, fake.state);
    return {fake.navigator.Requests().begin() + static_cast<std::ptrdiff_t>(before),
            fake.navigator.Requests().end()};
  }

  // The numbers of the ticks, counted from 1, on which the greeting went out.
  std::vector<int> GreetingTicks(int ticks, int navigatorMissingOnTick = 0) {
    std::vector<int> greeted;
    for (int tick = 1; tick <= ticks; ++tick) {
      if (tick == navigatorMissingOnTick) fake.StopNavigator();
      const std::vector<std::wstring> sent = Tick();
      if (tick == navigatorMissingOnTick) fake.StartNavigator();
      if (!sent.empty() && sent.back() == kGreeting) greeted.push_back(tick);
    }
    return greeted;
  }

  FakePlatform fake;
};

TEST_F(TickTest, AValidTickAsksForThePositionThenSendsTheScheme) {
  EXPECT_THAT(Tick(), ElementsAre(kPosition, kDay));
  EXPECT_EQ(fake.state.tickCounter, 1U);

  fake.clock.SetLocal(2005, 6, 21, 23, 30);
  EXPECT_THAT(Tick(), ElementsAre(kPosition, kNight));
  EXPECT_THAT(Tick(), ElementsAre(kPosition, kNight, kGreeting));
  EXPECT_EQ(fake.state.tickCounter, 3U);
}

TEST_F(TickTest, TheGreetingGoesOutOnValidTicksThreeTwentyEightAndFiftyThree) {
  EXPECT_THAT(GreetingTicks(60), ElementsAre(3, 28, 53));
}

TEST_F(TickTest, AMissingNavigatorRestartsTheGreetingCount) {
  EXPECT_THAT(GreetingTicks(40, 10), ElementsAre(3, 13, 38));
}

TEST_F(TickTest, AMissingNavigatorIsNotAskedAnything) {
  fake.state.tickCounter = 7;
  fake.StopNavigator();
  EXPECT_THAT(Tick(), IsEmpty());
  EXPECT_EQ(fake.state.tickCounter, 0U);
}

TEST_F(TickTest, OnlyTheNavigatorsOwnWindowCounts) {
  fake.StopNavigator();
  fake.windows.AddForeignWindow(kNavigatorClassName, L"Another title");
  fake.windows.AddForeignWindow(L"OtherClass", kNavigatorTitle);
  EXPECT_THAT(Tick(), IsEmpty());
}

TEST_F(TickTest, ABadStatusEndsTheTickAndKeepsTheCount) {
  fake.state.tickCounter = 2;
  for (const char* reply :
       {"1|1|489000|5237000|", "0|2|489000|5237000|", " 7x|1|489000|5237000|"}) {
    fake.navigator.SetReply(kPosition, reply);
    EXPECT_THAT(Tick(), ElementsAre(kPosition)) << reply;
    EXPECT_EQ(fake.state.tickCounter, 2U) << reply;
  }
}

TEST_F(TickTest, StatusFieldsReadTheirLeadingNumber) {
  // Leading blanks and trailing letters are read past; a field that starts
  // with letters reads as 0 and so passes as a good status.
  for (const char* reply : {"  0|1abc|489000|5237000|", "abc|+1|489000|5237000|extra|"}) {
    fake.navigator.SetReply(kPosition, reply);
    EXPECT_THAT(Tick(), ElementsAre(kPosition, kDay)) << reply;
  }
}

TEST_F(TickTest, PositionFieldsReachTheDecisionInDegrees) {
  // The same instant is night at the antipode of Amsterdam, with the signs
  // taken from the fields' text.
  fake.navigator.SetReply(kPosition, "0|1|-17511000|-5237000|");
  EXPECT_THAT(Tick(), ElementsAre(kPosition, kNight));
}

TEST_F(TickTest, AFailedPositionCallEndsTheTickAndKeepsTheCount) {
  fake.state.tickCounter = 2;
  fake.navigator.SetSilent(true);
  EXPECT_THAT(Tick(), ElementsAre(kPosition));
  EXPECT_EQ(fake.state.tickCounter, 2U);
  EXPECT_EQ(fake.clock.Slept(), std::chrono::milliseconds{30000});
}

TEST_F(TickTest, AReplyOfFewerThanFourFieldsEndsTheTickAndKeepsTheCount) {
  fake.state.tickCounter = 2;
  for (const char* reply : {"0|1|489000|", "0|1|489000|5237000", "0|"}) {
    fake.navigator.SetReply(kPosition, reply);
    EXPECT_THAT(Tick(), ElementsAre(kPosition)) << reply;
    EXPECT_EQ(fake.state.tickCounter, 2U) << reply;
  }
}

TEST_F(TickTest, WithoutATimeZoneNoSchemeIsSentButTheCountGoesOn) {
  fake.clock.SetZone(platform::TimeZoneState::kUnavailable, {});
  fake.state.tickCounter = 2;
  EXPECT_THAT(Tick(), ElementsAre(kPosition, kGreeting));
  EXPECT_EQ(fake.state.tickCounter, 3U);
}

TEST_F(TickTest, TheCountRunsBackToZeroAfterTwentyFour) {
  fake.state.tickCounter = 24;
  Tick();
  EXPECT_EQ(fake.state.tickCounter, 0U);
}

TEST_F(TickTest, ThePolesKeepTheirPolarDayAndNight) {
  // 9000000 units are 90.00000000000001 degrees: beyond the pole.
  fake.navigator.SetReply(kPosition, "0|1|0|9000000|");
  EXPECT_THAT(Tick(), ElementsAre(kPosition, kDay));
  fake.navigator.SetReply(kPosition, "0|1|0|-9000000|");
  EXPECT_THAT(Tick(), ElementsAre(kPosition, kNight));
}

TEST_F(TickTest, AStopRequestedDuringTheTickSendsNothingMore) {
  fake.stop.Request();
  EXPECT_THAT(Tick(), IsEmpty());
  EXPECT_EQ(fake.state.tickCounter, 0U);
}

TEST_F(TickTest, AStopThatComesWhileTheNavigatorAnswersEndsTheTickThere) {
  // After the tick the navigator looks at the exchange once more, as it does
  // while the program stops: no further request may be waiting for it.
  const auto requestsAfterTheTick = [this] {
    OnTick(fake.platform, fake.state);
    fake.clock.Sleep(200);
    return fake.navigator.Requests();
  };
  fake.state.tickCounter = 2;
  fake.stop.ArrivesWhen([this] { return fake.CountRequests(kPosition) > 0; });
  EXPECT_THAT(requestsAfterTheTick(), ElementsAre(kPosition));
  EXPECT_EQ(fake.state.tickCounter, 2U);

  fake.stop.ArrivesWhen([this] { return fake.CountRequests(kDay) > 0; });
  EXPECT_THAT(requestsAfterTheTick(), ElementsAre(kPosition, kPosition, kDay));
  EXPECT_EQ(fake.state.tickCounter, 2U);
}

}  // namespace
}  // namespace nav
