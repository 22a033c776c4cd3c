#include <cmath>

#include "sun/angle_units.h"
#include "sun/sun_calculator.h"

namespace nav {

void SunCalculator::EclipticToEquatorial(double& a, double& b, double obliquity) const {
  using sun_units::kDegreesPerRadian;
  using sun_units::kRadiansPerDegree;

  // A spherical triangle with the co-latitude, the co-longitude and the
  // co-obliquity. Both slots are read before either is written.
  const double coObliquity = (90.0 - obliquity) * kRadiansPerDegree;
  const double coLongitude = (90.0 - b) * kRadiansPerDegree;
  const double latitude = a * kRadiansPerDegree;

  const double cosS = std::cos(coLongitude);
  const double sinS = std::sin(coLongitude);
  const double cosB = std::cos(latitude);
  const double sinB = std::sin(latitude);
  const double cosU = std::cos(coObliquity);
  const double sinU = std::sin(coObliquity);

  // sin(declination) = sin(longitude) cos(latitude) sin(obliquity)
  //                    + sin(latitude) cos(obliquity)
  const double sinDeclination = (cosS * cosB) * cosU + sinB * sinU;
  const double declination = 90.0 - std::acos(sinDeclination) * kDegreesPerRadian;

  // y = cos(longitude) cos(latitude); x = sin(longitude) cos(obliquity)
  // cos(latitude) - sin(obliquity) sin(latitude).
  const double y = sinS * cosB;
  const double x = (cosS * sinU) * cosB - cosU * sinB;
  const double rightAscension = 90.0 - std::atan2(y, x) * kDegreesPerRadian;

  a = NormalizeDegrees(rightAscension);
  b = NormalizeDegrees(declination);
}

}  // namespace nav
