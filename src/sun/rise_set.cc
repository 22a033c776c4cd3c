// Sunrise and sunset in one pass of the hour-angle method, with the Sun's
// position taken once, for local noon.

#include <climits>
#include <cmath>

#include "sun/angle_units.h"
#include "sun/sun_calculator.h"

namespace nav {

namespace {

using sun_units::kPerArcsecondDegrees;
using sun_units::kRadiansPerDegree;

constexpr double kRefractionDegrees = 0.575;
constexpr double kSemidiameterArcsecondsAt1Au = 961.18;
constexpr double kParallaxArcsecondsAt1Au = 8.794;
constexpr double kHoursPerRadian = 3.819718634205488;
// Solar hours per sidereal hour, as this literal.
constexpr double kSolarPerSiderealHour = 0.9972695664;

// The whole hours of tz, truncated toward zero. An offset beyond what the
// hour field can hold is no real zone; it is held at the field's limits
// instead of overflowing it (a NaN counts as 0).
int WholeHoursOf(double tz) {
  constexpr auto kLimit = static_cast<double>(INT_MAX - 12);
  if (!(std::fabs(tz) <= kLimit)) {
    return std::isnan(tz) ? 0 : (tz < 0.0 ? -(INT_MAX - 12) : INT_MAX - 12);
  }
  return static_cast<int>(tz);
}

}  // namespace

std::int32_t SunCalculator::ComputeRiseSet(std::tm& record, double tz, double latitude,
                                           double longitude, double& rise, double& set,
                                           double& rawRise, double& rawSet) const {
  // The record is read as UT: with the whole hours of the offset taken off,
  // hour 12 is local noon; hour 0 is 0 h UT of the local date.
  record.tm_hour = 12 - WholeHoursOf(tz);
  record.tm_min = 0;
  record.tm_sec = 0;
  const double noon = DaysSinceJ2000(record);
  record.tm_hour = 0;
  const double midnight = DaysSinceJ2000(record);

  const double obliquity = MeanObliquity(noon);
  const double longitudeOfSun = TrueLongitude(noon);
  const double distance = RadiusVector(noon);

  // Zenith distance of the Sun's centre at rise and set: refraction and the
  // semidiameter lower it, the parallax raises it; both scale with 1/R.
  const double q = 1.0 / distance;
  const double zenithDistance =
      (((q * kSemidiameterArcsecondsAt1Au) * kPerArcsecondDegrees + kRefractionDegrees) -
       (q * kParallaxArcsecondsAt1Au) * kPerArcsecondDegrees) +
      90.0;

  double rightAscension = 0.0;  // enters as the Sun's ecliptic latitude
  double declination = longitudeOfSun;
  EclipticToEquatorial(rightAscension, declination, obliquity);
  const double rightAscensionHours = rightAscension * (1.0 / 15.0);

  const double greenwich = GreenwichSiderealTime(midnight);
  double localSidereal = greenwich * 15.0 + longitude;
  if (localSidereal < 0.0) {
    localSidereal = localSidereal + 360.0;
  }
  localSidereal = std::fmod(localSidereal, 360.0);
  const double localSiderealHours = localSidereal * (1.0 / 15.0);

  const double phi = latitude * kRadiansPerDegree;
  const double delta = declination * kRadiansPerDegree;
  const double cosHalfArc =
      (std::cos(zenithDistance * kRadiansPerDegree) - std::sin(delta) * std::sin(phi)) /
      (std::cos(delta) * std::cos(phi));
  if (cosHalfArc > 1.0) {
    return kSunNeverRises;
  }
  if (cosHalfArc < -1.0) {
    return kSunNeverSets;
  }
  const double halfArcHours = std::acos(cosHalfArc) * kHoursPerRadian;

  const double riseHours =
      ((rightAscensionHours - halfArcHours) - localSiderealHours) * kSolarPerSiderealHour + tz;
  const double setHours =
      ((rightAscensionHours + halfArcHours) - localSiderealHours) * kSolarPerSiderealHour + tz;

  // Written in this order, so a caller that passes one slot twice sees the
  // raw value last.
  rise = riseHours < 0.0 ? riseHours + 24.0 : riseHours;
  set = setHours < 0.0 ? setHours + 24.0 : setHours;
  rawRise = riseHours;
  rawSet = setHours;
  return kRiseSetComputed;
}

}  // namespace nav
