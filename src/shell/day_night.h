#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <string>

#include "platform/clock.h"
#include "shell/shell_state.h"

namespace nav {

inline constexpr std::int32_t kDay = 1;
inline constexpr std::int32_t kNight = 2;
inline constexpr std::int32_t kNoDecision = -1;

// Is the Sun up now at this position? kDay, kNight, or kNoDecision when the
// time zone or the local time cannot be read. Leaves the day's sunrise and
// sunset in the state's status text.
std::int32_t DecideDayNight(platform::Clock& clock, ShellState& state, double longitude,
                            double latitude);

// What ComputeRiseSet answers for one local date at one position, its four
// outputs set to 0.0 before the call.
struct SunOfDay {
  std::int32_t rc = 0;
  double rise = 0.0;
  double set = 0.0;
  double rawRise = 0.0;
  double rawSet = 0.0;
};

// The decision for the date in `record` (whose time fields the computation
// overwrites) at a position, tz being the offset in force: computes that
// day's sunrise and sunset into `sun`. Polar night and polar day hold at any
// hour; otherwise `clockTime` is asked, after the computation, for the local
// clock time in hours and ClassifyAndDecide answers. kNoDecision when the
// clock time cannot be read. The daemon and the tools decide through this one
// function.
std::int32_t DecideOnDate(std::tm& record, double tz, double latitude, double longitude,
                          const std::function<std::optional<double>()>& clockTime, SunOfDay& sun);

// The clock time in hours the decision compares with: hour and minute of the
// local time, its seconds ignored.
double ClockTimeOf(const std::tm& local);

// Time-zone offset in hours (local = UT + offset) from the zone's biases: the
// offset in force, daylight-saving shift included while it applies.
double OffsetInForceHours(platform::TimeZoneState state, const platform::TimeZoneInfo& info);

// The decision proper once the day's raw sunrise and sunset (local hours, not
// yet brought into one day) are known: kDay or kNight at clock time `now` in
// hours. Every comparison is strict.
std::int32_t ClassifyAndDecide(double rawRise, double rawSet, double now);

// "FlashMessage|Sunrise: HH:MM  -  Sunset: HH:MM|5000|" from rise and set in
// hours, each part the truncated integer, with a leading 0 below 10.
std::wstring ComposeStatusText(double rise, double set);

}  // namespace nav
