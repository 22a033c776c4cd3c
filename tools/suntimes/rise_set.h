#pragma once

#include "input_parsing.h"
#include "shell/day_night.h"

namespace suntimes {

// One answer of the ephemeris, the outputs set to 0 before the call: the
// same record the daemon's decision keeps.
using RiseSet = nav::SunOfDay;

RiseSet ComputeRiseSetOn(const CalendarDate& date, double tz, double latitude, double longitude);

}  // namespace suntimes
