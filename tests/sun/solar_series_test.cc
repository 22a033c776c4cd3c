#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "sun/series_tables.h"
#include "sun/sun_calculator.h"

namespace nav {
namespace {

using namespace sun_series;

constexpr double kRadiansPerDegree = 0.017453292519943295;

TEST(SeriesCoefficients, AtTheStartOf1900TheTimeDependentEntriesAreTheirConstantTerms) {
  const SunCalculator sun;
  sun.ComputeSeriesCoefficients(-36525.0);
  EXPECT_EQ(LongitudeSine[1], 0.033502);
  EXPECT_EQ(LongitudeSine[2], 0.000351);
  EXPECT_EQ(LogDistanceCosine[0], 3.057e-05);
  EXPECT_EQ(LogDistanceCosine[1], -0.00727412);
  EXPECT_EQ(LogDistanceCosine[2], -9.138e-05);
  EXPECT_EQ(LogDistanceCosine[3], -1.45e-06);
}

TEST(SeriesCoefficients, ARefreshRestoresEveryConstantEntry) {
  const SunCalculator sun;
  for (double& entry : LongitudeCosine) {
    entry = 99.0;
  }
  LogDistanceSine[9] = 99.0;
  LongitudeSine[52] = 99.0;
  sun.ComputeSeriesCoefficients(1000.0);
  EXPECT_EQ(LongitudeCosine[0], 0.0);
  EXPECT_EQ(LongitudeCosine[32], -3.5e-05);
  EXPECT_EQ(LogDistanceSine[9], 1.044e-06);
  EXPECT_EQ(LongitudeSine[52], -1e-06);
  // A little over a century after 1900 the equation of the centre has shrunk.
  const double centuries = (1000.0 + 36525.0) / 36525.0;
  EXPECT_NEAR(LongitudeSine[1], 0.033502 - 8.358e-05 * centuries - 2.5e-07 * centuries * centuries,
              1e-12);
}

TEST(SolarSeries, LongitudeAndDistanceAtKnownInstants) {
  const SunCalculator sun;
  EXPECT_NEAR(sun.TrueLongitude(0.0), 280.37766, 5e-6);
  EXPECT_NEAR(sun.RadiusVector(0.0), 0.98332566, 5e-9);
  EXPECT_NEAR(sun.TrueLongitude(-2636.5), 199.90555, 5e-6);
  EXPECT_NEAR(sun.RadiusVector(-2636.5), 0.99760725, 5e-9);
  EXPECT_NEAR(sun.TrueLongitude(1234.567891), 58.66010, 5e-6);
  EXPECT_NEAR(sun.RadiusVector(1234.567891), 1.01180174, 5e-9);
}

TEST(SolarSeries, LongitudeIsReducedIntoOneTurnAcrossTheEquinox) {
  // Around 20 March the longitude passes 360 -> 0; near 0 the mean longitude
  // and the correction may fall on either side of the turn.
  const SunCalculator sun;
  const double march20 = 7017.5;  // 2019 March 20, 0 h; the equinox fell at 22 h
  double previous = sun.TrueLongitude(march20);
  bool wrapped = false;
  for (double t = march20; t < march20 + 2.0; t += 1.0 / 96.0) {
    const double longitude = sun.TrueLongitude(t);
    ASSERT_GE(longitude, 0.0);
    ASSERT_LT(longitude, 360.0);
    wrapped = wrapped || longitude < previous;
    // About 0.0103 degrees per quarter hour; the wrap is the only jump.
    const double step = std::remainder(longitude - previous, 360.0);
    ASSERT_GE(step, 0.0);
    ASSERT_LT(step, 0.011);
    previous = longitude;
  }
  EXPECT_TRUE(wrapped);
}

TEST(SolarSeries, DistanceDoesNotDependOnAnEarlierLongitude) {
  const SunCalculator sun;
  const double alone = sun.RadiusVector(1234.567891);
  static_cast<void>(sun.TrueLongitude(-50000.0));
  sun.ComputeSeriesCoefficients(80000.0);
  EXPECT_EQ(sun.RadiusVector(1234.567891), alone);
}

// The library evaluates only the non-zero terms, unrolled. This is the series
// as the theory writes it, every row and every term in table order.
struct Reference {
  double longitude;
  double distance;
};

Reference EvaluateEveryTerm(const SunCalculator& sun, double t) {
  const double gE = sun.SunMeanAnomaly(t) * kRadiansPerDegree;
  const double gV =
      (sun.VenusMeanLongitude(t) - sun.VenusPerihelionLongitude(t)) * kRadiansPerDegree;
  const double gM = (sun.MarsMeanLongitude(t) - sun.MarsPerihelionLongitude(t)) * kRadiansPerDegree;
  const double gJ =
      (sun.JupiterMeanLongitude(t) - sun.JupiterPerihelionLongitude(t)) * kRadiansPerDegree;
  const double gS =
      (sun.SaturnMeanLongitude(t) - sun.SaturnPerihelionLongitude(t)) * kRadiansPerDegree;
  const double l = sun.MoonMeanAnomaly(t) * kRadiansPerDegree;
  const double f = sun.MoonArgumentOfLatitude(t) * kRadiansPerDegree;
  const double d = sun.MoonMeanElongation(t) * kRadiansPerDegree;

  // Separate sine and cosine arrays keep the compiler from pairing the calls.
  double planetarySine[kPlanetaryRows];
  double planetaryCosine[kPlanetaryRows];
  for (int i = 0; i < kPlanetaryRows; ++i) {
    const double* m = PlanetaryMultipliers[i];
    planetarySine[i] = (((m[4] * gS + m[3] * gJ) + m[2] * gM) + m[1] * gV) + m[0] * gE;
  }
  for (int i = 0; i < kPlanetaryRows; ++i) {
    planetaryCosine[i] = std::cos(planetarySine[i]);
    planetarySine[i] = std::sin(planetarySine[i]);
  }
  double lunarArgument[kLunarRows];
  for (int k = 0; k < kLunarRows; ++k) {
    const double* m = LunarMultipliers[k];
    lunarArgument[k] = ((m[3] * d + m[2] * f) + m[1] * gE) + m[0] * l;
  }

  sun.ComputeSeriesCoefficients(t);
  double s = 0.0;
  for (int i = 0; i < kPlanetaryRows; ++i) {
    s = LongitudeSine[i] * planetarySine[i] + s;
    s = LongitudeCosine[i] * planetaryCosine[i] + s;
  }
  const double venus =
      ((13.0 * gE - 8.0 * gV) + (t + 36525.0) * 2.1503025325119783e-06) + 3.8990655;
  s = (7e-06 * std::sin(venus) + 6e-06 * std::cos(venus)) + s;
  for (int k = 0; k < kLunarRows; ++k) {
    s = LongitudeSine[kPlanetaryRows + k] * std::sin(lunarArgument[k]) + s;
  }
  const double longitude = NormalizeDegrees(sun.SunMeanLongitude(t) + s * 57.29577951308232);

  double r = 0.0;
  for (int i = 0; i < kPlanetaryRows; ++i) {
    r = LogDistanceSine[i] * planetarySine[i] + r;
    r = LogDistanceCosine[i] * planetaryCosine[i] + r;
  }
  for (int k = 0; k < kLunarRows; ++k) {
    r = LogDistanceCosine[kPlanetaryRows + k] * std::cos(lunarArgument[k]) + r;
  }
  return {longitude, std::pow(10.0, r)};
}

TEST(SolarSeries, SkippingZeroTermsChangesNoBit) {
  const SunCalculator sun;
  std::mt19937_64 random(1900);
  std::uniform_real_distribution<double> days(-2.0e6, 2.0e6);
  for (int i = 0; i < 20000; ++i) {
    const double t = i < 10000 ? days(random) : -40000.0 + 8.0 * i + 0.123456789 * (i % 7);
    const Reference expected = EvaluateEveryTerm(sun, t);
    ASSERT_EQ(sun.TrueLongitude(t), expected.longitude) << std::hexfloat << t;
    ASSERT_EQ(sun.RadiusVector(t), expected.distance) << std::hexfloat << t;
  }
}

}  // namespace
}  // namespace nav
