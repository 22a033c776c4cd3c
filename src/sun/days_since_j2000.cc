#include <cmath>
#include <cstdint>

#include "sun/sun_calculator.h"

namespace nav {

namespace {

// Julian day number of the written date 15 October 1582, the last date read
// in the Julian calendar.
constexpr double kLastJulianCalendarDay = 2299171.0;

}  // namespace

double SunCalculator::DaysSinceJ2000(const std::tm& record) const {
  // Months since March of the year -4800 (80398 = 12 * 6700 - 2). Counted in
  // 64 bits so that no year an int can hold overflows the count.
  const std::int64_t months = std::int64_t{12} * record.tm_year + record.tm_mon + 80398;
  const auto a = static_cast<double>(months);

  // Counted years start in March, so each leap day ends a counted year.
  const double y = std::floor(a * (1.0 / 12.0));
  const double m = a - y * 12.0;
  const double n = std::floor(((m * 2.0 + a * 365.0) + 7.0) * (1.0 / 12.0));

  // Day number in the Julian calendar, then the Gregorian correction for
  // dates written after 15 October 1582.
  double j = ((static_cast<double>(record.tm_mday) + std::floor(a * (1.0 / 48.0))) + n) - 32083.0;
  if (j > kLastJulianCalendarDay) {
    j = ((std::floor(a * (1.0 / 4800.0)) - std::floor(a * (1.0 / 1200.0))) + j) + 38.0;
  }

  const double dayFraction = (static_cast<double>(record.tm_min) * (1.0 / 1440.0) +
                              static_cast<double>(record.tm_hour) * (1.0 / 24.0)) +
                             static_cast<double>(record.tm_sec) * (1.0 / 86400.0);
  return ((dayFraction - 2451545.0) - 0.5) + j;
}

}  // namespace nav
