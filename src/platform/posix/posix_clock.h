#pragma once

#include <cstdint>
#include <ctime>

#include "platform/clock.h"

namespace nav::posix {

// The process's own time: a real blocking sleep and the zone of the C
// library (TZ, else /etc/localtime), read anew on every query.
class PosixClock : public platform::Clock {
 public:
  // Sleeps the whole time, resuming after a signal interrupts it.
  void Sleep(std::uint32_t ms) override;
  platform::TimeZoneState QueryTimeZone(platform::TimeZoneInfo& info) override;
  bool LocalNow(std::tm& local) override;
};

// The zone as the handheld reports it, seen at the instant `now`: the
// standard bias (minutes, UTC = local + bias), the daylight-saving bias
// relative to it, and which of the two is in force at `now`.
platform::TimeZoneState QueryTimeZoneAt(std::time_t now, platform::TimeZoneInfo& info);

}  // namespace nav::posix
