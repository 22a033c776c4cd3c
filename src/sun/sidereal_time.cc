#include <cmath>

#include "sun/angle_units.h"
#include "sun/sun_calculator.h"

namespace nav {

double SunCalculator::GreenwichSiderealTime(double t) const {
  // Split t at the 0 h UT before it (t counts from noon). Truncating with
  // std::trunc gives the same whole number as a conversion to an integer,
  // without the overflow such a conversion has for huge or non-finite t.
  const double whole = std::trunc(t);
  const double fraction = t - whole;
  double midnight = 0.0;
  double dayFraction = 0.0;
  if (fraction >= 0.5) {
    dayFraction = fraction - 0.5;
    midnight = whole + 0.5;
  } else {
    dayFraction = fraction + 0.5;
    midnight = whole - 0.5;
  }

  // Mean sidereal time at that midnight, in seconds, then the sidereal hours
  // elapsed since.
  const double tc = midnight * sun_units::kPerJulianCentury;
  const double seconds =
      ((0.093104 * tc + 8640184.812866) * tc + 24110.54841) - 0.0000062 * ((tc * tc) * tc);
  double hours = seconds * sun_units::kPerArcsecondDegrees + (dayFraction * 24.0) * 1.0027379093;

  hours = std::fmod(hours, 24.0);
  if (hours < 0.0) {
    hours = hours + 24.0;
  }
  return hours;
}

}  // namespace nav
