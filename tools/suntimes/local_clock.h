#pragma once

#include <optional>

#include "input_parsing.h"

namespace suntimes {

// The zone's view of one instant: its calendar date and clock time.
struct ZoneClock {
  CalendarDate date;
  int hour = 0;
  int minute = 0;
  int second = 0;

  [[nodiscard]] double Hours() const { return hour + minute / 60.0 + second / 3600.0; }
};

// Now, in the local zone, or at a fixed offset from UT when one is given.
ZoneClock ClockNow(std::optional<double> tz);

// The offset from UT in force in the local zone at that local date and clock
// time, daylight-saving time included; nothing when the zone cannot place it.
std::optional<double> LocalOffsetAt(const CalendarDate& date, int hour, int minute);

}  // namespace suntimes
