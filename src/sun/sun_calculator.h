#pragma once

#include <cstdint>
#include <ctime>

namespace nav {

// The solar ephemeris: sunrise and sunset for a date, a zone and a place.
// (Work in progress: the full set of operations lands with the sun library.)
class SunCalculator {
 public:
  virtual ~SunCalculator() = default;

  // Local clock times of sunrise and sunset of the date in `record`, which is
  // read as UT; its hour, minute and second are 0 on return. Returns 1, or -1
  // (the Sun never rises) or -2 (it never sets), leaving the outputs untouched.
  std::int32_t ComputeRiseSet(std::tm& record, double tz, double latitude, double longitude,
                              double& rise, double& set, double& rawRise, double& rawSet) const;
};

}  // namespace nav
