#pragma once

#include <cstdint>
#include <ctime>

namespace nav {

// Brings an angle in degrees into [0, 360): the C library's remainder (sign of
// the dividend), then 360 added to a negative remainder.
[[nodiscard]] double NormalizeDegrees(double x);

// What SunCalculator::ComputeRiseSet returns.
enum RiseSetResult : std::int32_t {
  kRiseSetComputed = 1,
  kSunNeverRises = -1,  // below the rise/set altitude all day
  kSunNeverSets = -2,   // above it all day
};

// The solar ephemeris: sunrise and sunset for a date, a zone and a place, and
// the pieces of the solar theory they are built from.
//
// Every operation is a pure function of its arguments except TrueLongitude,
// RadiusVector and ComputeSeriesCoefficients, which refill process-wide
// coefficient columns; the calculator is therefore not reentrant. All double
// arithmetic is written in a fixed order so that results are the same to the
// last bit on every build (the library is compiled without contraction).
//
// t is always the time argument: days since Julian day 2451545.0
// (2000 January 1, 12 h), the fraction carrying the time of day.
class SunCalculator {
 public:
  virtual ~SunCalculator() = default;

  // Calendar and time arguments.

  // t of the date and time in `record`, read as UT in the calendar the date was
  // written in (Julian up to 15 October 1582, Gregorian from the 16th). Fields
  // outside their usual ranges shift the moment linearly.
  [[nodiscard]] double DaysSinceJ2000(const std::tm& record) const;

  // The slowly varying angles of the solar theory, in degrees within [0, 360).
  [[nodiscard]] double MeanObliquity(double t) const;
  [[nodiscard]] double MoonMeanAnomaly(double t) const;
  [[nodiscard]] double SunMeanAnomaly(double t) const;
  [[nodiscard]] double VenusMeanLongitude(double t) const;
  [[nodiscard]] double VenusPerihelionLongitude(double t) const;
  [[nodiscard]] double MarsMeanLongitude(double t) const;
  [[nodiscard]] double MarsPerihelionLongitude(double t) const;
  [[nodiscard]] double JupiterMeanLongitude(double t) const;
  [[nodiscard]] double JupiterPerihelionLongitude(double t) const;
  [[nodiscard]] double SaturnMeanLongitude(double t) const;
  [[nodiscard]] double SaturnPerihelionLongitude(double t) const;
  [[nodiscard]] double MoonArgumentOfLatitude(double t) const;
  [[nodiscard]] double MoonMeanElongation(double t) const;
  [[nodiscard]] double SunMeanLongitude(double t) const;

  // Solar longitude and distance.

  // Rewrites the process-wide coefficient columns of the perturbation series
  // for t (six entries depend on time, the rest are constants).
  void ComputeSeriesCoefficients(double t) const;
  // The Sun's true ecliptic longitude in degrees, [0, 360).
  [[nodiscard]] double TrueLongitude(double t) const;
  // The Earth-Sun distance in astronomical units.
  [[nodiscard]] double RadiusVector(double t) const;

  // Sidereal time and equatorial coordinates.

  // Greenwich mean sidereal time at t, in hours within [0, 24).
  [[nodiscard]] double GreenwichSiderealTime(double t) const;
  // On entry `a` holds the ecliptic latitude and `b` the ecliptic longitude;
  // on return `a` holds the right ascension and `b` the declination, both in
  // degrees within [0, 360) (a southern declination d arrives as 360 + d).
  void EclipticToEquatorial(double& a, double& b, double obliquity) const;

  // Sunrise and sunset.

  // Local clock times of sunrise and sunset of the date in `record`, which is
  // read as UT; its hour, minute and second are 0 on return. tz is local minus
  // UT in hours. Returns kRiseSetComputed, or kSunNeverRises or kSunNeverSets,
  // leaving the outputs untouched. rawRise and rawSet may lie outside [0, 24);
  // rise and set are the same values raised by 24 once when negative.
  std::int32_t ComputeRiseSet(std::tm& record, double tz, double latitude, double longitude,
                              double& rise, double& set, double& rawRise, double& rawSet) const;
};

}  // namespace nav
