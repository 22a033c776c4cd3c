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
  // A message that another thread or process is sending to this thread: the
  // only window here is the marker, and what others send it is the close
  // request of a later start.
  bool StopRequested() override;
};

}  // namespace nav::win32
