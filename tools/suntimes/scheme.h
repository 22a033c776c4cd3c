#pragma once

#include <cstdint>
#include <optional>

#include "input_parsing.h"
#include "shell/day_night.h"

namespace suntimes {

// A place as nav_manager sees it, in a zone of fixed offset or in the local one.
struct Place {
  double latitude = 0.0;
  double longitude = 0.0;
  std::optional<double> fixedOffset;  // nothing: the local zone's offset in force
};

// A local date and clock time, to the minute.
struct LocalMinute {
  CalendarDate date;
  int hour = 0;
  int minute = 0;
};

// The scheme nav_manager sends at that minute, decided by the daemon's own
// function: nav::kDay, nav::kNight, or nav::kNoDecision when the local zone
// gives no offset for it. `sun` receives that day's sunrise and sunset.
std::int32_t SchemeAt(const Place& place, const LocalMinute& when, nav::SunOfDay& sun);

// The first minute after `from` at which the scheme is no longer `current`,
// looked for over the rest of that day and the year after it.
std::optional<LocalMinute> NextSchemeChange(const Place& place, const LocalMinute& from,
                                            std::int32_t current);

CalendarDate NextDay(CalendarDate date);

}  // namespace suntimes
