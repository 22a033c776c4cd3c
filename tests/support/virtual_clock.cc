#include "support/virtual_clock.h"

namespace nav::testing {
namespace {

using std::chrono::days;
using std::chrono::hours;
using std::chrono::minutes;
using std::chrono::seconds;

std::chrono::sys_seconds InstantOf(int year, unsigned month, unsigned day, int hour, int minute,
                                   int second) {
  const std::chrono::year_month_day date{std::chrono::year{year}, std::chrono::month{month},
                                         std::chrono::day{day}};
  return std::chrono::sys_days{date} + hours{hour} + minutes{minute} + seconds{second};
}

}  // namespace

VirtualClock::VirtualClock() : start_(InstantOf(2005, 6, 21, 12, 0, 0)) {}

void VirtualClock::Sleep(std::uint32_t ms) {
  elapsed_ += std::chrono::milliseconds{ms};
  slept_ += std::chrono::milliseconds{ms};
  ++sleepCount_;
  if (onSleep_) onSleep_();
}

platform::TimeZoneState VirtualClock::QueryTimeZone(platform::TimeZoneInfo& info) {
  if (zoneState_ != platform::TimeZoneState::kUnavailable) info = zone_;
  return zoneState_;
}

bool VirtualClock::LocalNow(std::tm& local) {
  if (readingsLeft_) {
    if (*readingsLeft_ == 0) return false;
    --*readingsLeft_;
  }
  const auto now = std::chrono::floor<seconds>(start_ + elapsed_) + minutes{LocalOffsetMinutes()};
  const auto day = std::chrono::floor<days>(now);
  const std::chrono::year_month_day date{day};
  const std::chrono::hh_mm_ss time{now - day};
  const std::chrono::year_month_day januaryFirst{date.year(), std::chrono::January,
                                                 std::chrono::day{1}};
  local = std::tm{};
  local.tm_year = static_cast<int>(date.year()) - 1900;
  local.tm_mon = static_cast<int>(static_cast<unsigned>(date.month())) - 1;
  local.tm_mday = static_cast<int>(static_cast<unsigned>(date.day()));
  local.tm_hour = static_cast<int>(time.hours().count());
  local.tm_min = static_cast<int>(time.minutes().count());
  local.tm_sec = static_cast<int>(time.seconds().count());
  local.tm_wday = static_cast<int>(std::chrono::weekday{day}.c_encoding());
  local.tm_yday = static_cast<int>((day - std::chrono::sys_days{januaryFirst}).count());
  local.tm_isdst = zoneState_ == platform::TimeZoneState::kDaylightTime ? 1 : 0;
  return true;
}

void VirtualClock::Advance(std::chrono::milliseconds duration) { elapsed_ += duration; }

void VirtualClock::SetUtc(int year, unsigned month, unsigned day, int hour, int minute,
                          int second) {
  start_ = InstantOf(year, month, day, hour, minute, second);
  elapsed_ = std::chrono::milliseconds{0};
}

void VirtualClock::SetLocal(int year, unsigned month, unsigned day, int hour, int minute,
                            int second) {
  SetUtc(year, month, day, hour, minute, second);
  start_ -= minutes{LocalOffsetMinutes()};
}

void VirtualClock::SetZone(platform::TimeZoneState state, platform::TimeZoneInfo info) {
  zoneState_ = state;
  zone_ = info;
}

std::int32_t VirtualClock::LocalOffsetMinutes() const {
  switch (zoneState_) {
    case platform::TimeZoneState::kDaylightTime:
      return -(zone_.bias + zone_.daylightBias);
    case platform::TimeZoneState::kStandardTime:
      return -(zone_.bias + zone_.standardBias);
    default:
      return -zone_.bias;
  }
}

}  // namespace nav::testing
