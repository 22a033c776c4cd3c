#pragma once

#include <optional>

#include "input_parsing.h"

namespace suntimes {

// The zone's view of one instant: its calendar date and clock time in hours.
struct ZoneClock {
  CalendarDate date;
  double hours = 0.0;
};

// Now, in the local zone, or at a fixed offset from UT when one is given.
ZoneClock ClockNow(std::optional<double> tz);

// The offset from UT in force in the local zone at noon of the date; nothing
// when the zone cannot place that noon.
std::optional<double> LocalOffsetOn(const CalendarDate& date);

}  // namespace suntimes
