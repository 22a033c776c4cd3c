#include "scheme.h"

#include <ctime>

#include "calendar_record.h"
#include "local_clock.h"
#include "sun/sun_calculator.h"

namespace suntimes {

namespace {

constexpr int kMinutesPerDay = 24 * 60;
constexpr int kDaysLookedAhead = 366;

}  // namespace

std::int32_t SchemeAt(const Place& place, const LocalMinute& when, nav::SunOfDay& sun) {
  std::optional<double> tz = place.fixedOffset;
  if (!tz) tz = LocalOffsetAt(when.date, when.hour, when.minute);
  if (!tz) {
    sun = nav::SunOfDay{};
    return nav::kNoDecision;
  }
  std::tm record = CalendarRecordOf(when.date);
  std::tm clock{};
  clock.tm_hour = when.hour;
  clock.tm_min = when.minute;
  const auto clockTime = [&clock] { return std::optional<double>(nav::ClockTimeOf(clock)); };
  return nav::DecideOnDate(record, *tz, place.latitude, place.longitude, clockTime, sun);
}

std::optional<LocalMinute> NextSchemeChange(const Place& place, const LocalMinute& from,
                                            std::int32_t current) {
  LocalMinute when = from;
  int first = from.hour * 60 + from.minute + 1;
  for (int day = 0; day <= kDaysLookedAhead; ++day) {
    for (int minute = first; minute < kMinutesPerDay; ++minute) {
      when.hour = minute / 60;
      when.minute = minute % 60;
      nav::SunOfDay sun;
      const std::int32_t scheme = SchemeAt(place, when, sun);
      if (scheme != current && scheme != nav::kNoDecision) return when;
      // Polar night and polar day hold all day; so does a day without an offset.
      if (sun.rc != nav::kRiseSetComputed) break;
    }
    when.date = NextDay(when.date);
    first = 0;
  }
  return std::nullopt;
}

CalendarDate NextDay(CalendarDate date) {
  if (++date.day > DaysInMonth(date.year, date.month)) {
    date.day = 1;
    if (++date.month > 12) {
      date.month = 1;
      ++date.year;
    }
  }
  return date;
}

}  // namespace suntimes
