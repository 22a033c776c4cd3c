#include "platform/win32/win32_clock.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <ctime>
#include <string>

namespace nav::win32 {
namespace {

using platform::TimeZoneInfo;
using platform::TimeZoneState;

// What the zone named by TZ must report (each run of this test sets TZ).
struct ZoneCase {
  const char* name;
  std::int32_t bias;
  bool hasDaylightSaving;
  bool southern;
};

constexpr ZoneCase kZones[] = {
    {"Europe/Amsterdam", -60, true, false},
    {"Australia/Sydney", -600, true, true},
    {"Asia/Tokyo", -540, false, false},
};

// Daylight-saving time by month, leaving out the months of the changes.
TimeZoneState ExpectedState(const ZoneCase& zone, int month) {
  if (!zone.hasDaylightSaving) return TimeZoneState::kNoDaylightSaving;
  const bool northernSummer = month >= 4 && month <= 9;
  const bool northernWinter = month >= 11 || month <= 2;
  if (!northernSummer && !northernWinter) return TimeZoneState::kUnavailable;
  return northernSummer != zone.southern ? TimeZoneState::kDaylightTime
                                         : TimeZoneState::kStandardTime;
}

TEST(Win32ClockTest, ZoneFromTzWithTheStateInForce) {
  const char* tz = std::getenv("TZ");
  if (tz == nullptr) GTEST_SKIP() << "run with TZ set to one of the zones below";
  const ZoneCase* zone = nullptr;
  for (const ZoneCase& candidate : kZones) {
    if (std::string(tz) == candidate.name) zone = &candidate;
  }
  if (zone == nullptr) GTEST_SKIP() << "no expectations for TZ=" << tz;

  Win32Clock clock;
  TimeZoneInfo info;
  const TimeZoneState state = clock.QueryTimeZone(info);
  EXPECT_EQ(info.bias, zone->bias);
  EXPECT_EQ(info.standardBias, 0);
  // Windows keeps a nominal daylight bias even for zones that never use it.
  if (zone->hasDaylightSaving) {
    EXPECT_EQ(info.daylightBias, -60);
  }

  std::tm now{};
  ASSERT_TRUE(clock.LocalNow(now));
  const TimeZoneState expected = ExpectedState(*zone, now.tm_mon + 1);
  if (expected != TimeZoneState::kUnavailable) {
    EXPECT_EQ(state, expected);
  }

  // The calendar record is the local time of the zone, counted as the C
  // library counts it.
  SYSTEMTIME utc{};
  GetSystemTime(&utc);
  const int offsetMinutes =
      -(info.bias + (state == TimeZoneState::kDaylightTime ? info.daylightBias : 0));
  const int utcMinutes = utc.wHour * 60 + utc.wMinute;
  const int localMinutes = now.tm_hour * 60 + now.tm_min;
  const int difference = ((localMinutes - utcMinutes - offsetMinutes) % 1440 + 1440) % 1440;
  EXPECT_TRUE(difference <= 1 || difference >= 1439) << difference;
  EXPECT_GE(now.tm_year, 100);
  EXPECT_LE(now.tm_mon, 11);
  EXPECT_LE(now.tm_yday, 365);
}

}  // namespace
}  // namespace nav::win32
