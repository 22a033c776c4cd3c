#include "platform/posix/posix_clock.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/time.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace nav::posix {
namespace {

using platform::TimeZoneInfo;
using platform::TimeZoneState;

constexpr std::time_t kJanuary15 = 1705320000;  // 2024-01-15 12:00 UTC
constexpr std::time_t kJuly1 = 1719835200;      // 2024-07-01 12:00 UTC

// Runs each test in a zone of its own and puts the process's zone back.
class PosixClockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* tz = std::getenv("TZ");
    if (tz != nullptr) saved_ = tz;
  }
  void TearDown() override {
    saved_ ? ::setenv("TZ", saved_->c_str(), 1) : ::unsetenv("TZ");
    ::tzset();
  }
  // Only sets the variable: the clock must read the zone anew by itself.
  static void UseZone(const char* zone) { ::setenv("TZ", zone, 1); }

  PosixClock clock_;

 private:
  std::optional<std::string> saved_;
};

struct ZoneCase {
  const char* zone;
  std::time_t instant;
  TimeZoneState state;
  std::int32_t bias;
  std::int32_t daylightBias;
};

TEST_F(PosixClockTest, ZonesAsTheHandheldReportsThem) {
  const ZoneCase cases[] = {
      {"Europe/Amsterdam", kJuly1, TimeZoneState::kDaylightTime, -60, -60},
      {"Europe/Amsterdam", kJanuary15, TimeZoneState::kStandardTime, -60, -60},
      {"America/New_York", kJuly1, TimeZoneState::kDaylightTime, 300, -60},
      {"America/New_York", kJanuary15, TimeZoneState::kStandardTime, 300, -60},
      {"Australia/Sydney", kJuly1, TimeZoneState::kStandardTime, -600, -60},
      {"Australia/Sydney", kJanuary15, TimeZoneState::kDaylightTime, -600, -60},
      // Recorded with a negative saving in winter; still GMT in winter, IST in summer.
      {"Europe/Dublin", kJanuary15, TimeZoneState::kStandardTime, 0, -60},
      {"Europe/Dublin", kJuly1, TimeZoneState::kDaylightTime, 0, -60},
      {"Asia/Tokyo", kJuly1, TimeZoneState::kNoDaylightSaving, -540, 0},
      {"Asia/Kolkata", kJanuary15, TimeZoneState::kNoDaylightSaving, -330, 0},
      {"UTC", kJuly1, TimeZoneState::kNoDaylightSaving, 0, 0},
  };
  for (const ZoneCase& c : cases) {
    SCOPED_TRACE(std::string(c.zone) + " at " + std::to_string(c.instant));
    UseZone(c.zone);
    TimeZoneInfo info{.bias = 1, .standardBias = 2, .daylightBias = 3};
    EXPECT_EQ(QueryTimeZoneAt(c.instant, info), c.state);
    EXPECT_EQ(info.bias, c.bias);
    EXPECT_EQ(info.standardBias, 0);
    EXPECT_EQ(info.daylightBias, c.daylightBias);
  }
}

TEST_F(PosixClockTest, ZoneQueryAgreesWithTheLocalClockNow) {
  for (const char* zone : {"Europe/Amsterdam", "America/New_York", "Australia/Sydney", "Asia/Tokyo",
                           "Asia/Kolkata", "UTC"}) {
    SCOPED_TRACE(zone);
    UseZone(zone);
    TimeZoneInfo info;
    const TimeZoneState state = clock_.QueryTimeZone(info);
    std::tm local{};
    ASSERT_TRUE(clock_.LocalNow(local));
    ASSERT_NE(state, TimeZoneState::kUnavailable);
    EXPECT_EQ(state == TimeZoneState::kDaylightTime, local.tm_isdst > 0);
    const std::int32_t inForce =
        info.bias + (state == TimeZoneState::kDaylightTime ? info.daylightBias : info.standardBias);
    EXPECT_EQ(-inForce * 60, local.tm_gmtoff);
  }
}

TEST_F(PosixClockTest, AChangeOfZoneAppliesFromTheNextQuery) {
  TimeZoneInfo info;
  UseZone("Asia/Tokyo");
  clock_.QueryTimeZone(info);
  EXPECT_EQ(info.bias, -540);
  UseZone("Asia/Kolkata");
  clock_.QueryTimeZone(info);
  EXPECT_EQ(info.bias, -330);

  std::tm local{};
  UseZone("UTC");
  ASSERT_TRUE(clock_.LocalNow(local));
  EXPECT_EQ(local.tm_gmtoff, 0);
}

extern "C" void IgnoreAlarm(int /*signal*/) {}

TEST_F(PosixClockTest, SleepIsNotCutShortByASignal) {
  struct sigaction action {};
  action.sa_handler = IgnoreAlarm;  // no SA_RESTART: the sleep gets EINTR
  struct sigaction previous {};
  ASSERT_EQ(::sigaction(SIGALRM, &action, &previous), 0);
  itimerval timer{};
  timer.it_value.tv_usec = 10000;
  ASSERT_EQ(::setitimer(ITIMER_REAL, &timer, nullptr), 0);

  const auto start = std::chrono::steady_clock::now();
  clock_.Sleep(60);
  const auto slept = std::chrono::steady_clock::now() - start;
  ::sigaction(SIGALRM, &previous, nullptr);
  EXPECT_GE(slept, std::chrono::milliseconds(60));
}

}  // namespace
}  // namespace nav::posix
