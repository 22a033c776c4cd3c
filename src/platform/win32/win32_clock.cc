#include "platform/win32/win32_clock.h"

#include <windows.h>

#include "platform/win32/calendar_fields.h"

namespace nav::win32 {

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
  local = CalendarFields(now);
  return true;
}

}  // namespace nav::win32
