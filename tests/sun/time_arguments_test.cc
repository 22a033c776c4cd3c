#include <gtest/gtest.h>

#include <cmath>
#include <ctime>
#include <random>
#include <vector>

#include "sun/sun_calculator.h"

namespace nav {
namespace {

std::tm Record(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
  std::tm record{};
  record.tm_year = year - 1900;
  record.tm_mon = month - 1;
  record.tm_mday = day;
  record.tm_hour = hour;
  record.tm_min = minute;
  record.tm_sec = second;
  return record;
}

class TimeArguments : public ::testing::Test {
 protected:
  double Days(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) const {
    return sun.DaysSinceJ2000(Record(year, month, day, hour, minute, second));
  }
  SunCalculator sun;
};

TEST_F(TimeArguments, EpochsAndLeapDaysGiveExactDayCounts) {
  EXPECT_EQ(Days(2000, 1, 1, 12), 0.0);
  EXPECT_EQ(Days(-4712, 1, 1, 12) + 2451545.0, 0.0);
  EXPECT_EQ(Days(1970, 1, 1), -10957.5);

  EXPECT_EQ(Days(2000, 2, 28), 57.5);
  EXPECT_EQ(Days(2000, 2, 29), 58.5);
  EXPECT_EQ(Days(2000, 3, 1), 59.5);
  // 1900 and 2100 have no 29 February.
  EXPECT_EQ(Days(1900, 2, 28), -36466.5);
  EXPECT_EQ(Days(1900, 3, 1), -36465.5);
  EXPECT_EQ(Days(2100, 2, 28), 36582.5);
  EXPECT_EQ(Days(2100, 3, 1), 36583.5);
}

TEST_F(TimeArguments, DatesUpTo15October1582AreJulianCalendarDates) {
  EXPECT_EQ(Days(1582, 10, 4) + 2451545.0, 2299159.5);
  EXPECT_EQ(Days(1582, 10, 16) + 2451545.0, 2299161.5);
  EXPECT_EQ(Days(1582, 10, 15) + 2451545.0, 2299170.5);
  EXPECT_EQ(Days(1582, 10, 5) + 2451545.0, 2299160.5);
}

TEST_F(TimeArguments, OutOfRangeFieldsShiftTheMoment) {
  EXPECT_EQ(Days(2000, 1, 2, -1), Days(2000, 1, 1, 23));
  std::tm thirteenthMonth = Record(1999, 1, 1);
  thirteenthMonth.tm_mon = 12;
  EXPECT_EQ(sun.DaysSinceJ2000(thirteenthMonth), Days(2000, 1, 1));
  EXPECT_EQ(Days(2000, 3, 0), Days(2000, 2, 29));
}

TEST_F(TimeArguments, TimeOfDayKeepsTheRoundingOfTheEpochSubtraction) {
  EXPECT_EQ(Days(2000, 1, 1, 23), 0.45833333348855376);
  // Minutes and seconds count too: 18:30:45 is 6.5125 hours after noon.
  EXPECT_NEAR(Days(2000, 1, 1, 18, 30, 45), 6.5125 / 24.0, 1e-9);
}

TEST_F(TimeArguments, AnglesAtTheEpochAreTheConstantTerms) {
  EXPECT_EQ(sun.MeanObliquity(0.0), 23.439291111111114);
  EXPECT_EQ(sun.MoonMeanAnomaly(0.0), 134.9629813888889);
  EXPECT_EQ(sun.SunMeanAnomaly(0.0), 357.5277233333333);
  EXPECT_EQ(sun.SunMeanLongitude(0.0), 280.46329166666663);
}

// These values differ in the last digits when a polynomial is regrouped or
// its multiply-adds are fused.
TEST_F(TimeArguments, AnglesIn2025AreExactToTheLastBit) {
  EXPECT_EQ(sun.MeanObliquity(9473.5), 23.435918214337427);
  EXPECT_EQ(sun.SunMeanAnomaly(9473.5), 334.61199438165386);
  EXPECT_EQ(sun.SunMeanLongitude(9473.5), 257.99357003137266);
  EXPECT_EQ(sun.MoonMeanElongation(9473.5), 226.91198949659884);
}

TEST_F(TimeArguments, NegativePolynomialsAreBroughtIntoOneTurn) {
  EXPECT_EQ(sun.SunMeanAnomaly(-36525.0), 358.4772263888881);
  EXPECT_EQ(sun.MoonMeanAnomaly(-36525.0), 296.104262777837);
}

TEST_F(TimeArguments, EveryAngleLiesInOneTurn) {
  using Angle = double (SunCalculator::*)(double) const;
  const Angle angles[] = {
      &SunCalculator::MeanObliquity,
      &SunCalculator::MoonMeanAnomaly,
      &SunCalculator::SunMeanAnomaly,
      &SunCalculator::VenusMeanLongitude,
      &SunCalculator::VenusPerihelionLongitude,
      &SunCalculator::MarsMeanLongitude,
      &SunCalculator::MarsPerihelionLongitude,
      &SunCalculator::JupiterMeanLongitude,
      &SunCalculator::JupiterPerihelionLongitude,
      &SunCalculator::SaturnMeanLongitude,
      &SunCalculator::SaturnPerihelionLongitude,
      &SunCalculator::MoonArgumentOfLatitude,
      &SunCalculator::MoonMeanElongation,
      &SunCalculator::SunMeanLongitude,
  };
  for (const double t : {-1.0e6, -36525.0, -0.5, 0.0, 9473.5, 1.0e6}) {
    for (const Angle angle : angles) {
      const double value = (sun.*angle)(t);
      EXPECT_GE(value, 0.0) << t;
      EXPECT_LT(value, 360.0) << t;
    }
  }
}

// NormalizeDegrees computes the remainder without the library's fmod; it must
// give fmod's bits everywhere, signed zeros and the one-off quotients included.
TEST(NormalizeDegreesTest, MatchesTheLibraryRemainderBitForBit) {
  const auto reference = [](double x) {
    x = std::fmod(x, 360.0);
    return x < 0.0 ? x + 360.0 : x;
  };
  const auto same = [](double a, double b) {
    return std::signbit(a) == std::signbit(b) && (a == b || (std::isnan(a) && std::isnan(b)));
  };
  std::vector<double> values = {0.0,       -0.0,   360.0, -360.0, 720.0, -720.0, 359.99999999999994,
                                -1e-300,   1e-300, 1e15,  -1e15,  1e300, -1e300, INFINITY,
                                -INFINITY, NAN};
  for (int k = -2000; k <= 2000; ++k) {
    const double multiple = 360.0 * k;
    values.push_back(multiple);
    values.push_back(std::nextafter(multiple, INFINITY));
    values.push_back(std::nextafter(multiple, -INFINITY));
  }
  std::mt19937_64 random(2000);
  for (const double scale : {400.0, 1e5, 1e9, 1e14, 1e16}) {
    std::uniform_real_distribution<double> uniform(-scale, scale);
    for (int i = 0; i < 100000; ++i) {
      values.push_back(uniform(random));
    }
  }
  for (const double x : values) {
    ASSERT_TRUE(same(NormalizeDegrees(x), reference(x))) << std::hexfloat << x;
  }
}

}  // namespace
}  // namespace nav
