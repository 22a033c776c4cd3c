#include <gtest/gtest.h>

#include <cmath>
#include <ctime>

#include "sun/sun_calculator.h"

namespace nav {
namespace {

struct RiseSet {
  std::int32_t rc;
  double rise, set, rawRise, rawSet;
  std::tm record;
};

RiseSet Compute(int year, int month, int day, double tz, double latitude, double longitude) {
  RiseSet r{};
  r.record.tm_year = year - 1900;
  r.record.tm_mon = month - 1;
  r.record.tm_mday = day;
  r.record.tm_hour = 17;
  r.record.tm_min = 45;
  r.record.tm_sec = 30;
  const SunCalculator sun;
  r.rc = sun.ComputeRiseSet(r.record, tz, latitude, longitude, r.rise, r.set, r.rawRise, r.rawSet);
  return r;
}

TEST(ComputeRiseSet, AmsterdamAtTheSolsticesAndTheEquatorAtTheEquinox) {
  const RiseSet june = Compute(2005, 6, 21, 1.0, 52.37, 4.89);
  ASSERT_EQ(june.rc, 1);
  EXPECT_NEAR(june.rawRise, -19.61, 0.01);
  EXPECT_NEAR(june.rawSet, -2.85, 0.01);
  EXPECT_NEAR(june.rise, 4.39, 0.01);
  EXPECT_NEAR(june.set, 21.15, 0.01);

  const RiseSet december = Compute(2005, 12, 21, 1.0, 52.37, 4.89);
  ASSERT_EQ(december.rc, 1);
  EXPECT_NEAR(december.rawRise, 8.81, 0.01);
  EXPECT_NEAR(december.rawSet, 16.47, 0.01);
  EXPECT_EQ(december.rise, december.rawRise);
  EXPECT_EQ(december.set, december.rawSet);

  const RiseSet equinox = Compute(2005, 3, 20, 0.0, 0.0, 0.0);
  ASSERT_EQ(equinox.rc, 1);
  EXPECT_NEAR(equinox.rise, 6.08, 0.01);
  EXPECT_NEAR(equinox.set, 18.16, 0.01);
}

// Pinned to the last bit: a regrouped sum or a fused multiply-add anywhere in
// the chain moves these digits.
TEST(ComputeRiseSet, IsExactToTheLastBit) {
  const RiseSet june = Compute(2005, 6, 21, 1.0, 52.37, 4.89);
  EXPECT_EQ(june.rawRise, -19.612307065910795);
  EXPECT_EQ(june.rawSet, -2.8526400946829669);
  EXPECT_EQ(june.rise, 4.3876929340892055);
  EXPECT_EQ(june.set, 21.147359905317032);
  const RiseSet equinox = Compute(2005, 3, 20, 0.0, 0.0, 0.0);
  EXPECT_EQ(equinox.rawRise, 6.0847003337480476);
  EXPECT_EQ(equinox.rawSet, 18.163712070124824);
}

TEST(ComputeRiseSet, LeavesTheDateAndClearsTheTimeOfTheRecord) {
  const RiseSet r = Compute(2005, 6, 21, 5.5, 10.0, 77.0);
  EXPECT_EQ(r.record.tm_year, 105);
  EXPECT_EQ(r.record.tm_mon, 5);
  EXPECT_EQ(r.record.tm_mday, 21);
  EXPECT_EQ(r.record.tm_hour, 0);
  EXPECT_EQ(r.record.tm_min, 0);
  EXPECT_EQ(r.record.tm_sec, 0);
}

TEST(ComputeRiseSet, PolarNightAndDayLeaveTheOutputsUntouched) {
  for (const int day : {20, 21, 22, 23}) {
    RiseSet night = Compute(2005, 12, day, 0.0, 80.0, 10.0);
    EXPECT_EQ(night.rc, -1);
    RiseSet day80 = Compute(2005, 6, day, 0.0, 80.0, 10.0);
    EXPECT_EQ(day80.rc, -2);
  }
  std::tm record{};
  record.tm_year = 105;
  record.tm_mon = 11;
  record.tm_mday = 21;
  double rise = 1.5, set = 2.5, rawRise = 3.5, rawSet = 4.5;
  EXPECT_EQ(SunCalculator().ComputeRiseSet(record, 0.0, 80.0, 0.0, rise, set, rawRise, rawSet), -1);
  EXPECT_EQ(rise, 1.5);
  EXPECT_EQ(set, 2.5);
  EXPECT_EQ(rawRise, 3.5);
  EXPECT_EQ(rawSet, 4.5);
}

TEST(ComputeRiseSet, AtThePolesTheSignOfTheNumeratorDecides) {
  EXPECT_EQ(Compute(2005, 6, 21, 0.0, 90.0, 0.0).rc, -2);
  EXPECT_EQ(Compute(2005, 12, 21, 0.0, 90.0, 0.0).rc, -1);
  EXPECT_EQ(Compute(2005, 6, 21, 0.0, -90.0, 0.0).rc, -1);
  EXPECT_EQ(Compute(2005, 12, 21, 0.0, -90.0, 0.0).rc, -2);
}

TEST(ComputeRiseSet, DayLengthIsTwiceTheHalfArcInSolarHours) {
  // At the equator near the equinox the lowered rise/set altitude makes the
  // half-arc a little over six hours.
  const RiseSet r = Compute(2005, 3, 20, 0.0, 0.0, 0.0);
  const double halfArc = (r.rawSet - r.rawRise) / (2.0 * 0.9972695664);
  EXPECT_GT(halfArc, 6.0);
  EXPECT_LT(halfArc, 6.1);
}

TEST(ComputeRiseSet, FractionalZonesTakeNoonFromTheWholeHours) {
  // tz 5.5 takes the Sun at 07:00 UT, as tz 5 does, and adds the full offset.
  const RiseSet half = Compute(2005, 6, 21, 5.5, 28.6, 77.2);
  const RiseSet whole = Compute(2005, 6, 21, 5.0, 28.6, 77.2);
  ASSERT_EQ(half.rc, 1);
  EXPECT_EQ(half.rawRise, whole.rawRise + 0.5);
  EXPECT_EQ(half.rawSet, whole.rawSet + 0.5);
  EXPECT_NEAR(half.rise, 5.4, 0.1);  // Delhi, about 05:23 local time
}

TEST(ComputeRiseSet, FarFromTheZoneTheTimesLeaveTheDay) {
  // Longitude -170 kept on tz +12: a day ahead of the Sun's local time.
  const RiseSet r = Compute(2005, 3, 20, 12.0, 0.0, -170.0);
  ASSERT_EQ(r.rc, 1);
  EXPECT_GT(r.rawSet, 24.0);
  EXPECT_GE(r.set, 24.0);  // only negative times are raised; nothing is lowered
  EXPECT_EQ(r.rise, r.rawRise < 0.0 ? r.rawRise + 24.0 : r.rawRise);
}

TEST(ComputeRiseSet, AbsurdZoneOffsetsDoNotOverflowTheHourField) {
  for (const double tz : {1.0e12, -1.0e12, HUGE_VAL, -HUGE_VAL, std::nan("")}) {
    const RiseSet r = Compute(2005, 6, 21, tz, 52.37, 4.89);
    EXPECT_EQ(r.record.tm_hour, 0);
  }
}

}  // namespace
}  // namespace nav
