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

  const double sinDeclination =
      (std::cos(coLongitude) * std::cos(latitude)) * std::cos(coObliquity) +
      std::sin(latitude) * std::sin(coObliquity);
  const double declination = 90.0 - std::acos(sinDeclination) * kDegreesPerRadian;

  const double y = std::sin(coLongitude) * std::cos(latitude);
  const double x = (std::cos(coLongitude) * std::sin(coObliquity)) * std::cos(latitude) -
                   std::cos(coObliquity) * std::sin(latitude);
  const double rightAscension = 90.0 - std::atan2(y, x) * kDegreesPerRadian;

  a = NormalizeDegrees(rightAscension);
  b = NormalizeDegrees(declination);
}

}  // namespace nav
