#include <gtest/gtest.h>

#include <cmath>

#include "sun/sun_calculator.h"

namespace nav {
namespace {

// Angular distance on the circle, so that 359.9999999 is near 0.
double TurnDistance(double a, double b) { return std::fabs(std::remainder(a - b, 360.0)); }

TEST(EclipticToEquatorial, SunOnTheEclipticAtTheCardinalPoints) {
  const SunCalculator sun;
  struct Case {
    double longitude, rightAscension, declination;
  };
  const Case cases[] = {
      {0.0, 0.0, 0.0},        {90.0, 90.0, 23.44},      {180.0, 180.0, 0.0},
      {270.0, 270.0, 336.56}, {45.0, 42.5357, 16.3366},
  };
  for (const Case& c : cases) {
    double a = 0.0;
    double b = c.longitude;
    sun.EclipticToEquatorial(a, b, 23.44);
    EXPECT_LT(TurnDistance(a, c.rightAscension), 5e-5) << c.longitude;
    EXPECT_LT(TurnDistance(b, c.declination), 5e-5) << c.longitude;
    EXPECT_GE(a, 0.0);
    EXPECT_LT(a, 360.0);
    EXPECT_GE(b, 0.0);
    EXPECT_LT(b, 360.0);
  }
}

TEST(EclipticToEquatorial, ReadsBothSlotsBeforeWritingEither) {
  // A point off the ecliptic: latitude 10, longitude 120. Writing the right
  // ascension into the first slot before the declination is computed would
  // use it as the latitude.
  const SunCalculator sun;
  const double e = 23.44 * 0.017453292519943295;
  const double beta = 10.0 * 0.017453292519943295;
  const double lambda = 120.0 * 0.017453292519943295;
  const double declination =
      std::asin(std::sin(beta) * std::cos(e) + std::cos(beta) * std::sin(e) * std::sin(lambda)) *
      57.29577951308232;
  const double rightAscension =
      std::atan2(std::sin(lambda) * std::cos(e) - std::tan(beta) * std::sin(e), std::cos(lambda)) *
      57.29577951308232;
  double a = 10.0;
  double b = 120.0;
  sun.EclipticToEquatorial(a, b, 23.44);
  EXPECT_LT(TurnDistance(a, rightAscension), 1e-9);
  EXPECT_LT(TurnDistance(b, declination), 1e-9);
}

TEST(GreenwichSiderealTime, AtMidnightsAroundTheEpoch) {
  const SunCalculator sun;
  EXPECT_NEAR(sun.GreenwichSiderealTime(-0.5), 6.6645, 5e-5);
  EXPECT_NEAR(sun.GreenwichSiderealTime(0.5), 6.7302, 5e-5);
}

TEST(GreenwichSiderealTime, AdvancesAtTheSiderealRateAndWraps) {
  const SunCalculator sun;
  const double midnight = 9473.5;
  const double atMidnight = sun.GreenwichSiderealTime(midnight);
  for (int hour = 1; hour < 24; ++hour) {
    const double g = sun.GreenwichSiderealTime(midnight + hour / 24.0);
    ASSERT_GE(g, 0.0);
    ASSERT_LT(g, 24.0);
    const double expected = std::fmod(atMidnight + hour * 1.0027379093, 24.0);
    EXPECT_NEAR(std::remainder(g - expected, 24.0), 0.0, 1e-8) << hour;
  }
}

TEST(GreenwichSiderealTime, NegativeTimesAgreeWithTheTrueMidnight) {
  // Before 2000 the split can take a negative day fraction from the midnight
  // after; the difference against the midnight before stays far below a second.
  const SunCalculator sun;
  for (const double t : {-0.2, -0.7, -36525.3, -36524.9, -2636.05, -2636.95}) {
    const double midnightBefore = std::floor(t - 0.5) + 0.5;
    const double hoursSince = (t - midnightBefore) * 24.0;
    const double fromMidnight =
        std::fmod(sun.GreenwichSiderealTime(midnightBefore) + hoursSince * 1.0027379093, 24.0);
    EXPECT_LT(std::fabs(std::remainder(sun.GreenwichSiderealTime(t) - fromMidnight, 24.0)),
              1.0 / 3600.0 / 100.0)
        << t;
  }
}

}  // namespace
}  // namespace nav
