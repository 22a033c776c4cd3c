#include "platform/win32/win32_clock.h"

#include <windows.h>

namespace nav::win32 {
namespace {

// Days before each month of a common year.
constexpr int kDaysBeforeMonth[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

}  // namespace

void Win32Clock::Sleep(std::uint32_t ms) { ::Sleep(ms); }

platform::TimeZoneState Win32Clock::QueryTimeZone(platform::TimeZoneInfo& info) {
  TIME_ZONE_INFORMATION zone{};
  const DWORD state = GetTimeZoneInformation(&zone);
  switch (state) {
    // A zone without daylight-saving time answers "unknown": not a failure.
    case TIME_ZONE_ID_UNKNOWN:
    case TIME_ZONE_ID_STANDARD:
    case TIME_ZONE_ID_DAYLIGHT:
      info.bias = zone.Bias;
      info.standardBias = zone.StandardBias;
      info.daylightBias = zone.DaylightBias;
      return static_cast<platform::TimeZoneState>(state);
    default:
      return platform::TimeZoneState::kUnavailable;
  }
}

bool Win32Clock::LocalNow(std::tm& local) {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  local = std::tm{};
  local.tm_year = now.wYear - 1900;
  local.tm_mon = now.wMonth - 1;
  local.tm_mday = now.wDay;
  local.tm_hour = now.wHour;
  local.tm_min = now.wMinute;
  local.tm_sec = now.wSecond;
  local.tm_wday = now.wDayOfWeek;
  local.tm_yday = kDaysBeforeMonth[local.tm_mon] + now.wDay - 1 +
                  (local.tm_mon > 1 && IsLeapYear(now.wYear) ? 1 : 0);
  local.tm_isdst = -1;
  return true;
}

}  // namespace nav::win32
