#pragma once

#include <string>

namespace suntimes {

// A time in hours brought into one day, as the clock shows it.
double WithinDay(double hours);

// Rise and set as the clock of the date asked for shows them, "HH:MM", each
// marked as in "00:23 (+1 day)" when it falls on the day before or after.
struct DayTimes {
  std::string rise;
  std::string set;
};

// The ephemeris gives the raw rise and set only up to whole days; the Sun
// rises within the twelve hours before its transit and sets within the twelve
// after, the transit lying near 12 h local mean time.
DayTimes PlaceAroundTransit(double rawRise, double rawSet, double tz, double longitude);

// The offset from UT as "UTC+HH:MM" or "UTC-HH:MM".
std::string OffsetText(double tz);

}  // namespace suntimes
