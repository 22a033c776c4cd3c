#include "platform/posix/posix_clock.h"

#include <time.h>  // NOLINT(modernize-deprecated-headers): tzset, nanosleep, the zone globals

#include <array>
#include <cerrno>
#include <optional>
#include <utility>

namespace nav::posix {
namespace {

constexpr std::time_t kDaySeconds = std::time_t{24} * 60 * 60;

struct Reading {
  long offsetSeconds = 0;  // local time minus UTC
  bool daylight = false;
};

std::optional<Reading> ReadZoneAt(std::time_t instant) {
  std::tm local{};
  if (::localtime_r(&instant, &local) == nullptr) return std::nullopt;
  return Reading{local.tm_gmtoff, local.tm_isdst > 0};
}

std::int32_t Minutes(long seconds) { return static_cast<std::int32_t>(seconds / 60); }

}  // namespace

platform::TimeZoneState QueryTimeZoneAt(std::time_t now, platform::TimeZoneInfo& info) {
  ::tzset();
  const std::optional<Reading> current = ReadZoneAt(now);
  if (!current) return platform::TimeZoneState::kUnavailable;

  // Now and three instants a quarter of a year apart cover both seasons of
  // any daylight-saving rule, in either hemisphere.
  std::optional<long> standard;
  std::optional<long> daylight;
  (current->daylight ? daylight : standard) = current->offsetSeconds;
  for (const std::time_t quarters : std::array<std::time_t, 3>{1, 2, 3}) {
    const std::optional<Reading> other = ReadZoneAt(now + quarters * 91 * kDaySeconds);
    if (!other) continue;
    std::optional<long>& slot = other->daylight ? daylight : standard;
    if (!slot) slot = other->offsetSeconds;
  }

  if (!daylight) {
    info = {.bias = -Minutes(current->offsetSeconds), .standardBias = 0, .daylightBias = 0};
    return platform::TimeZoneState::kNoDaylightSaving;
  }
  // A zone that is in daylight-saving time all year still has a standard
  // offset in the C library's records.
  if (!standard) standard = -::timezone;

  bool daylightNow = current->daylight;
  // Some zones record their winter time as a negative daylight saving
  // (Europe/Dublin); the handheld knows them as a standard winter and a
  // daylight summer an hour ahead.
  if (*daylight < *standard) {
    std::swap(daylight, standard);
    daylightNow = !daylightNow;
  }
  info = {.bias = -Minutes(*standard),
          .standardBias = 0,
          .daylightBias = -Minutes(*daylight - *standard)};
  return daylightNow ? platform::TimeZoneState::kDaylightTime
                     : platform::TimeZoneState::kStandardTime;
}

void PosixClock::Sleep(std::uint32_t ms) {
  timespec remaining{.tv_sec = static_cast<std::time_t>(ms / 1000),
                     .tv_nsec = static_cast<long>(ms % 1000) * 1000000L};
  while (::nanosleep(&remaining, &remaining) != 0 && errno == EINTR) {
  }
}

platform::TimeZoneState PosixClock::QueryTimeZone(platform::TimeZoneInfo& info) {
  const std::time_t now = std::time(nullptr);
  if (now == static_cast<std::time_t>(-1)) return platform::TimeZoneState::kUnavailable;
  return QueryTimeZoneAt(now, info);
}

bool PosixClock::LocalNow(std::tm& local) {
  ::tzset();
  const std::time_t now = std::time(nullptr);
  if (now == static_cast<std::time_t>(-1)) return false;
  return ::localtime_r(&now, &local) != nullptr;
}

}  // namespace nav::posix
