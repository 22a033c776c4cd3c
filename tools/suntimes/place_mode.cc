#include "place_mode.h"

#include <string>

#include "clock_text.h"
#include "rise_set.h"
#include "sun/sun_calculator.h"
#include "zone_clock.h"

namespace suntimes {

namespace {

// The fixed offset --tz gives, or nothing when it names a zone (which then
// becomes the local zone) or is absent.
Outcome<std::optional<double>> ReadZone(std::optional<std::string_view> tz) {
  if (!tz) return std::optional<double>();
  const std::optional<double> fixedOffset = ParseZoneOffset(*tz);
  if (!fixedOffset) {
    // A zone name: its own offset on the date, daylight-saving time included.
    if (!UseZoneNamed(*tz)) {
      return UsageFailure("this system knows no time zone named '" + std::string(*tz) +
                          "' (--tz takes hours, +HH:MM, or a zone name where the system has them)");
    }
    return std::optional<double>();
  }
  if (const std::string reason = CheckZoneOffset(*fixedOffset); !reason.empty()) {
    return UsageFailure(reason);
  }
  return fixedOffset;
}

bool SameDate(const CalendarDate& a, const CalendarDate& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day;
}

const char* SchemeName(std::int32_t scheme) { return scheme == nav::kDay ? "day" : "night"; }

// "22:09", "05:12 (+1 day)" or "11:25 on 2006-02-17", seen from `today`.
std::string MinuteText(const LocalMinute& when, const CalendarDate& today) {
  char text[64];
  std::snprintf(text, sizeof text, "%02d:%02d", when.hour, when.minute);
  std::string shown = text;
  if (SameDate(when.date, NextDay(today))) {
    shown += " (+1 day)";
  } else if (!SameDate(when.date, today)) {
    std::snprintf(text, sizeof text, " on %04d-%02d-%02d", when.date.year, when.date.month,
                  when.date.day);
    shown += text;
  }
  return shown;
}

// "day scheme now, night scheme from 22:09".
void WriteSchemesFromNow(const PlaceRequest& request, std::FILE* out) {
  const LocalMinute now{request.now.date, request.now.hour, request.now.minute};
  nav::SunOfDay sun;
  const std::int32_t current = SchemeAt(request.place, now, sun);
  if (current == nav::kNoDecision) return;
  const std::optional<LocalMinute> change = NextSchemeChange(request.place, now, current);
  if (!change) {
    std::fprintf(out, "%s scheme now, no change within a year\n", SchemeName(current));
    return;
  }
  std::fprintf(out, "%s scheme now, %s scheme from %s\n", SchemeName(current),
               SchemeName(current == nav::kDay ? nav::kNight : nav::kDay),
               MinuteText(*change, now.date).c_str());
}

}  // namespace

Outcome<PlaceRequest> ReadPlaceRequest(const Options& options) {
  PlaceRequest request;
  Place& place = request.place;
  const std::optional<double> latitude = ParseCoordinate(options.positional[0], 'N', 'S');
  const std::optional<double> longitude = ParseCoordinate(options.positional[1], 'E', 'W');
  if (!latitude || !longitude) {
    return UsageFailure(
        "LAT and LON must be degrees: north and east positive, or with N, S, E or W (52.37N "
        "4.89E)");
  }
  for (const std::string& reason : {CheckLatitude(*latitude), CheckLongitude(*longitude)}) {
    if (!reason.empty()) return UsageFailure(reason);
  }
  place.latitude = *latitude;
  place.longitude = *longitude;

  const Outcome<std::optional<double>> fixedOffset = ReadZone(options.tz);
  if (!fixedOffset.Ok()) return fixedOffset.Error();
  place.fixedOffset = fixedOffset.Get();

  request.now = ClockNow(place.fixedOffset);
  LocalMinute& when = request.when;
  when = {request.now.date, request.now.hour, request.now.minute};
  if (options.date) {
    const std::optional<CalendarDate> parsed = ParseIsoDate(*options.date);
    if (!parsed) return UsageFailure("--date must be YYYY-MM-DD, the year in four digits");
    when.date = *parsed;
  }
  if (const std::string reason = CheckDate(when.date); !reason.empty()) {
    return UsageFailure("no such date: " + reason);
  }
  if (options.time) {
    const std::optional<HoursAndMinutes> parsed = ParseClockTime(*options.time);
    if (!parsed) return UsageFailure("--time must be HH:MM, from 00:00 to 23:59");
    when.hour = parsed->hours;
    when.minute = parsed->minutes;
  }
  request.today = SameDate(when.date, request.now.date);

  std::optional<double> tz = place.fixedOffset;
  if (!tz) tz = LocalOffsetAt(when.date, 12, 0);
  if (!tz) return SystemFailure("the local time zone gives no offset for that date");
  request.tz = *tz;
  return request;
}

void WritePlaceTimes(const PlaceRequest& request, std::FILE* out) {
  const CalendarDate& date = request.when.date;
  const Place& place = request.place;
  const RiseSet answer = ComputeRiseSetOn(date, request.tz, place.latitude, place.longitude);

  std::fprintf(out, "%04d-%02d-%02d %s\n", date.year, date.month, date.day,
               OffsetText(request.tz).c_str());
  bool up = false;
  if (answer.rc == nav::kSunNeverRises) {
    std::fprintf(out, "no sunrise today\n");
  } else if (answer.rc == nav::kSunNeverSets) {
    std::fprintf(out, "no sunset today\n");
    up = true;
  } else {
    const DayTimes times =
        PlaceAroundTransit(answer.rawRise, answer.rawSet, request.tz, place.longitude);
    std::fprintf(out, "sunrise %s\nsunset  %s\n", times.rise.c_str(), times.set.c_str());
    // Between rise and set on the clock, the interval possibly crossing midnight.
    const double from = WithinDay(answer.rawRise);
    const double to = WithinDay(answer.rawSet);
    const double now = request.now.Hours();
    up = from <= to ? (from <= now && now < to) : (now >= from || now < to);
  }
  if (!request.today) return;
  std::fprintf(out, "the Sun is %s now\n", up ? "up" : "down");
  WriteSchemesFromNow(request, out);
}

std::int32_t WriteScheme(const PlaceRequest& request, std::FILE* out) {
  nav::SunOfDay sun;
  const std::int32_t scheme = SchemeAt(request.place, request.when, sun);
  if (scheme != nav::kNoDecision) std::fprintf(out, "%s\n", SchemeName(scheme));
  return scheme;
}

}  // namespace suntimes
