#pragma once

#include <cstdint>
#include <ctime>

#include "platform/clock.h"

namespace nav::win32 {

// Sleep, GetTimeZoneInformation and GetLocalTime.
class Win32Clock : public platform::Clock {
 public:
  void Sleep(std::uint32_t ms) override;
  platform::TimeZoneState QueryTimeZone(platform::TimeZoneInfo& info) override;
  bool LocalNow(std::tm& local) override;
};

}  // namespace nav::win32
