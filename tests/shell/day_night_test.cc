#include "shell/day_night.h"

#include <gtest/gtest.h>

#include "support/virtual_clock.h"

namespace nav {
namespace {

using platform::TimeZoneInfo;
using platform::TimeZoneState;

// The clock time in hours, read the way the decision reads it.
double ClockTime(int hour, int minute) { return hour + minute * (1.0 / 60.0); }

struct Case {
  int hour;
  int minute;
  std::int32_t expected;
};

void ExpectDecisions(double rawRise, double rawSet, std::initializer_list<Case> cases) {
  for (const Case& c : cases) {
    EXPECT_EQ(ClassifyAndDecide(rawRise, rawSet, ClockTime(c.hour, c.minute)), c.expected)
        << "rise " << rawRise << ", set " << rawSet << " at " << c.hour << ":" << c.minute;
  }
}

TEST(ClassifyAndDecide, RiseAndSetWithinTheDay) {
  ExpectDecisions(5.2, 21.3,
                  {{12, 0, kDay},
                   {4, 0, kNight},
                   {22, 0, kNight},
                   {5, 12, kNight},  // at sunrise itself: strict comparison
                   {5, 13, kDay},
                   {21, 17, kDay},
                   {21, 18, kNight}});
}

TEST(ClassifyAndDecide, SunriseOnThePreviousDay) {
  ExpectDecisions(-2.5, 10.0,
                  {{21, 31, kDay},
                   {21, 30, kNight},
                   {0, 1, kDay},
                   {9, 59, kDay},
                   {10, 0, kNight},
                   {12, 0, kNight},
                   {0, 0, kNight}});  // midnight is neither after 21:30 nor after 0
}

TEST(ClassifyAndDecide, SunsetOnTheNextDay) {
  ExpectDecisions(15.0, 27.0,
                  {{15, 1, kDay},
                   {15, 0, kNight},
                   {23, 59, kDay},
                   {0, 1, kDay},
                   {2, 59, kDay},
                   {3, 0, kNight},
                   {10, 0, kNight},
                   {0, 0, kNight}});
}

TEST(ClassifyAndDecide, BothOnThePreviousOrTheNextDayAreMovedIntoThisOne) {
  ExpectDecisions(-20.0, -5.0, {{4, 0, kNight}, {4, 1, kDay}, {18, 59, kDay}, {19, 0, kNight}});
  ExpectDecisions(25.0, 40.0, {{1, 0, kNight}, {1, 1, kDay}, {15, 59, kDay}, {16, 0, kNight}});
}

TEST(OffsetInForce, IncludesTheDaylightShiftWhileItApplies) {
  const TimeZoneInfo amsterdam{-60, 0, -60};
  EXPECT_EQ(OffsetInForceHours(TimeZoneState::kDaylightTime, amsterdam), 2.0);
  EXPECT_EQ(OffsetInForceHours(TimeZoneState::kStandardTime, amsterdam), 1.0);
  EXPECT_EQ(OffsetInForceHours(TimeZoneState::kNoDaylightSaving, {-330, 0, 0}), 5.5);
  EXPECT_EQ(OffsetInForceHours(TimeZoneState::kStandardTime, {300, 0, -60}), -5.0);
}

class DecideDayNightTest : public ::testing::Test {
 protected:
  std::int32_t DecideAt(int month, int day, int hour, int minute, double longitude,
                        double latitude) {
    clock.SetLocal(2005, static_cast<unsigned>(month), static_cast<unsigned>(day), hour, minute);
    return DecideDayNight(clock, state, longitude, latitude);
  }

  testing::VirtualClock clock;
  ShellState state;
};

TEST_F(DecideDayNightTest, SummerTimeSwitchesAtTheRealSunriseAndSunset) {
  // Amsterdam, 21 June 2005: the Sun rises at 05:23 and sets at 22:08 CEST.
  // Counting in standard time would switch at 04:23 and 21:08 by the clock.
  clock.SetZone(TimeZoneState::kDaylightTime, {-60, 0, -60});
  EXPECT_EQ(DecideAt(6, 21, 5, 10, 4.89, 52.37), kNight);
  EXPECT_EQ(DecideAt(6, 21, 5, 30, 4.89, 52.37), kDay);
  EXPECT_EQ(DecideAt(6, 21, 21, 30, 4.89, 52.37), kDay);
  EXPECT_EQ(DecideAt(6, 21, 22, 15, 4.89, 52.37), kNight);
  EXPECT_EQ(state.statusText, L"FlashMessage|Sunrise: 05:23  -  Sunset: 22:08|5000|");
}

TEST_F(DecideDayNightTest, WinterTimeSwitchesAtSunriseAndSunset) {
  // Amsterdam, 21 December 2005: 08:48 to 16:28 CET.
  clock.SetZone(TimeZoneState::kStandardTime, {-60, 0, -60});
  EXPECT_EQ(DecideAt(12, 21, 8, 40, 4.89, 52.37), kNight);
  EXPECT_EQ(DecideAt(12, 21, 16, 20, 4.89, 52.37), kDay);
  EXPECT_EQ(DecideAt(12, 21, 16, 40, 4.89, 52.37), kNight);
}

TEST_F(DecideDayNightTest, ZonesWithoutDaylightSavingDecideLikeAnyOther) {
  clock.SetZone(TimeZoneState::kNoDaylightSaving, {-540, 0, 0});  // Tokyo
  EXPECT_EQ(DecideAt(6, 21, 12, 0, 139.69, 35.68), kDay);
  EXPECT_EQ(DecideAt(6, 21, 23, 0, 139.69, 35.68), kNight);
  clock.SetZone(TimeZoneState::kNoDaylightSaving, {-330, 0, 0});  // Kolkata
  EXPECT_EQ(DecideAt(6, 21, 12, 0, 88.36, 22.57), kDay);
  EXPECT_EQ(DecideAt(6, 21, 3, 0, 88.36, 22.57), kNight);
  clock.SetZone(TimeZoneState::kNoDaylightSaving, {0, 0, 0});  // UTC
  EXPECT_EQ(DecideAt(6, 21, 12, 0, 0.0, 51.48), kDay);
  EXPECT_EQ(DecideAt(6, 21, 21, 0, 0.0, 51.48), kNight);
}

TEST_F(DecideDayNightTest, AnUnreadableZoneGivesNoDecision) {
  clock.SetZone(TimeZoneState::kUnavailable, {});
  EXPECT_EQ(DecideAt(6, 21, 12, 0, 4.89, 52.37), kNoDecision);
  EXPECT_EQ(state.statusText, L"-*-");
}

TEST_F(DecideDayNightTest, AnUnreadableLocalTimeGivesNoDecision) {
  // Unreadable from the start: nothing is computed.
  clock.LoseLocalTimeAfter(0);
  EXPECT_EQ(DecideAt(6, 21, 12, 0, 4.89, 52.37), kNoDecision);
  EXPECT_EQ(state.statusText, L"-*-");
  // Unreadable by the second reading, the clock time after the computation.
  clock.LoseLocalTimeAfter(1);
  EXPECT_EQ(DecideAt(6, 21, 12, 0, 4.89, 52.37), kNoDecision);
}

TEST_F(DecideDayNightTest, PolarNightAndPolarDayHoldAtAnyHour) {
  clock.SetZone(TimeZoneState::kStandardTime, {-60, 0, -60});
  for (const int hour : {0, 12, 23}) {
    EXPECT_EQ(DecideAt(12, 21, hour, 0, 15.0, 80.0), kNight) << hour;
    EXPECT_EQ(state.statusText, L"FlashMessage|Sunrise: 00:00  -  Sunset: 00:00|5000|");
    EXPECT_EQ(DecideAt(6, 21, hour, 0, 15.0, 80.0), kDay) << hour;
  }
}

TEST(StatusText, WritesHoursAndMinutesWithTwoDigits) {
  EXPECT_EQ(ComposeStatusText(9.5, 10.75), L"FlashMessage|Sunrise: 09:30  -  Sunset: 10:45|5000|");
  EXPECT_EQ(ComposeStatusText(23.999, 12.0),
            L"FlashMessage|Sunrise: 23:59  -  Sunset: 12:00|5000|");
}

}  // namespace
}  // namespace nav
