#include "place_mode.h"

#include <string>

#include "clock_text.h"
#include "rise_set.h"
#include "zone_clock.h"

namespace suntimes {

namespace {

// The fixed offset --tz gives, or nothing when it names a zone (which then
// becomes the local zone) or is absent.
Outcome<std::optional<double>> ReadZone(std::optional<std::string_view> tz) {
  if (!tz) return std::optional<double>();
  const std::optional<double> fixedOffset = ParseDecimal(*tz);
  if (!fixedOffset) {
    // A zone name: its own offset on the date, daylight-saving time included.
    if (!UseZoneNamed(*tz)) {
      return UsageFailure("this system knows no time zone named '" + std::string(*tz) +
                          "' (--tz takes hours, or a zone name where the system has them)");
    }
    return std::optional<double>();
  }
  if (const std::string reason = CheckZoneOffset(*fixedOffset); !reason.empty()) {
    return UsageFailure(reason);
  }
  return fixedOffset;
}

}  // namespace

Outcome<PlaceRequest> ReadPlaceRequest(const Options& options) {
  PlaceRequest request;
  const std::optional<double> latitude = ParseDecimal(options.positional[0]);
  const std::optional<double> longitude = ParseDecimal(options.positional[1]);
  if (!latitude || !longitude) {
    return UsageFailure("LAT and LON must be decimal numbers of degrees");
  }
  for (const std::string& reason : {CheckLatitude(*latitude), CheckLongitude(*longitude)}) {
    if (!reason.empty()) return UsageFailure(reason);
  }
  request.latitude = *latitude;
  request.longitude = *longitude;

  const Outcome<std::optional<double>> fixedOffset = ReadZone(options.tz);
  if (!fixedOffset.Ok()) return fixedOffset.Error();

  request.now = ClockNow(fixedOffset.Get());
  request.date = request.now.date;
  if (options.date) {
    const std::optional<CalendarDate> parsed = ParseIsoDate(*options.date);
    if (!parsed) return UsageFailure("--date must be YYYY-MM-DD");
    request.date = *parsed;
  }
  if (const std::string reason = CheckDate(request.date); !reason.empty()) {
    return UsageFailure("no such date: " + reason);
  }
  const CalendarDate& date = request.date;
  const CalendarDate& today = request.now.date;
  request.today = date.year == today.year && date.month == today.month && date.day == today.day;

  std::optional<double> tz = fixedOffset.Get();
  if (!tz) tz = LocalOffsetOn(date);
  if (!tz) return SystemFailure("the local time zone gives no offset for that date");
  request.tz = *tz;
  return request;
}

void WritePlaceTimes(const PlaceRequest& request, std::FILE* out) {
  const CalendarDate& date = request.date;
  const RiseSet answer = ComputeRiseSetOn(date, request.tz, request.latitude, request.longitude);

  std::fprintf(out, "%04d-%02d-%02d %s\n", date.year, date.month, date.day,
               OffsetText(request.tz).c_str());
  bool up = false;
  if (answer.rc == -1) {
    std::fprintf(out, "no sunrise today\n");
  } else if (answer.rc == -2) {
    std::fprintf(out, "no sunset today\n");
    up = true;
  } else {
    const DayTimes times =
        PlaceAroundTransit(answer.rawRise, answer.rawSet, request.tz, request.longitude);
    std::fprintf(out, "sunrise %s\nsunset  %s\n", times.rise.c_str(), times.set.c_str());
    // Between rise and set on the clock, the interval possibly crossing midnight.
    const double from = WithinDay(answer.rawRise);
    const double to = WithinDay(answer.rawSet);
    const double now = request.now.hours;
    up = from <= to ? (from <= now && now < to) : (now >= from || now < to);
  }
  if (request.today) std::fprintf(out, "the Sun is %s now\n", up ? "up" : "down");
}

}  // namespace suntimes
