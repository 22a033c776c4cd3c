#pragma once

#include <cstdint>
#include <ctime>

namespace nav::platform {

// What the zone query reports, with the codes of the handheld's own query.
enum class TimeZoneState : std::int32_t {
  kUnavailable = -1,      // the zone cannot be read at all
  kNoDaylightSaving = 0,  // the zone has no daylight-saving time
  kStandardTime = 1,      // daylight-saving zone, standard time now
  kDaylightTime = 2,      // daylight-saving zone, daylight-saving time now
};

// Biases in minutes, UTC = local time + bias. The offset in force is
// bias + standardBias in standard time and bias + daylightBias in
// daylight-saving time.
struct TimeZoneInfo {
  std::int32_t bias = 0;
  std::int32_t standardBias = 0;
  std::int32_t daylightBias = 0;
};

// Time as the program sees it: a blocking sleep, the zone, the local clock.
class Clock {
 public:
  virtual ~Clock() = default;

  // Suspends the one thread for `ms` milliseconds.
  virtual void Sleep(std::uint32_t ms) = 0;
  // Reads the current zone into `info`. The zone is read anew on every call,
  // so a change of zone applies from the next query on.
  virtual TimeZoneState QueryTimeZone(TimeZoneInfo& info) = 0;
  // The current local date and time, broken down. False when unavailable.
  virtual bool LocalNow(std::tm& local) = 0;
};

}  // namespace nav::platform
