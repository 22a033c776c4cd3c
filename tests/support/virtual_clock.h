#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>

#include "platform/clock.h"

namespace nav::testing {

// Time that passes only when the code under test sleeps or a test advances
// it, so a 30-second wait takes no real time. Local time is UTC plus the
// offset in force of a fixed zone.
class VirtualClock : public platform::Clock {
 public:
  VirtualClock();

  void Sleep(std::uint32_t ms) override;
  platform::TimeZoneState QueryTimeZone(platform::TimeZoneInfo& info) override;
  bool LocalNow(std::tm& local) override;

  // Moves time on without counting as a sleep.
  void Advance(std::chrono::milliseconds duration);
  // Sets the current instant, as a UTC date and time.
  void SetUtc(int year, unsigned month, unsigned day, int hour = 0, int minute = 0, int second = 0);
  // Sets the current instant so that the local clock reads this date and time.
  void SetLocal(int year, unsigned month, unsigned day, int hour = 0, int minute = 0,
                int second = 0);
  void SetZone(platform::TimeZoneState state, platform::TimeZoneInfo info);
  // Runs after every sleep: the other party's chance to act meanwhile.
  void OnSleep(std::function<void()> hook) { onSleep_ = std::move(hook); }
  // The local time can be read `readings` more times, then no more.
  void LoseLocalTimeAfter(int readings) { readingsLeft_ = readings; }

  [[nodiscard]] std::chrono::milliseconds Elapsed() const { return elapsed_; }
  [[nodiscard]] int SleepCount() const { return sleepCount_; }
  [[nodiscard]] std::chrono::milliseconds Slept() const { return slept_; }
  // The offset in force, in minutes to add to UTC for local time.
  [[nodiscard]] std::int32_t LocalOffsetMinutes() const;

 private:
  std::chrono::sys_seconds start_;
  std::chrono::milliseconds elapsed_{0};
  std::chrono::milliseconds slept_{0};
  int sleepCount_ = 0;
  std::optional<int> readingsLeft_;
  platform::TimeZoneState zoneState_ = platform::TimeZoneState::kNoDaylightSaving;
  platform::TimeZoneInfo zone_;
  std::function<void()> onSleep_;
};

}  // namespace nav::testing
