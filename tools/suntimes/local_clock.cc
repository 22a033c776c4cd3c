#include "local_clock.h"

#include <cmath>
#include <ctime>

#include "calendar_record.h"
#include "zone_clock.h"

namespace suntimes {

namespace {

ZoneClock ClockAt(const std::tm& fields) {
  return {{fields.tm_year + 1900, fields.tm_mon + 1, fields.tm_mday},
          fields.tm_hour,
          fields.tm_min,
          fields.tm_sec};
}

}  // namespace

ZoneClock ClockNow(std::optional<double> tz) {
  const std::time_t now = std::time(nullptr);
  std::tm fields{};
  if (tz) {
    const std::time_t shifted = now + static_cast<std::time_t>(std::llround(*tz * 3600.0));
    fields = UtcFields(shifted);
  } else {
    fields = LocalFields(now);
  }
  return ClockAt(fields);
}

std::optional<double> LocalOffsetAt(const CalendarDate& date, int hour, int minute) {
  std::tm fields = CalendarRecordOf(date);
  fields.tm_hour = hour;
  fields.tm_min = minute;
  fields.tm_isdst = -1;
  const std::time_t instant = std::mktime(&fields);
  if (instant == static_cast<std::time_t>(-1)) return std::nullopt;
  return LocalOffsetHoursAt(instant);
}

}  // namespace suntimes
