#pragma once

#include <cstdint>

#include "input_parsing.h"

namespace suntimes {

// One answer of the ephemeris, the outputs set to 0 before the call.
struct RiseSet {
  std::int32_t rc = 0;
  double rise = 0.0;
  double set = 0.0;
  double rawRise = 0.0;
  double rawSet = 0.0;
};

RiseSet ComputeRiseSetOn(const CalendarDate& date, double tz, double latitude, double longitude);

}  // namespace suntimes
