#include "shell/day_night.h"

#include <cmath>
#include <ctime>

#include "sun/sun_calculator.h"

namespace nav {
namespace {

// How the pair of raw times sits around the day.
enum Placement : std::int32_t {
  kWithinDay = 0,
  kBothRaised = 1,
  kBothLowered = 2,
  kRiseOnPreviousDay = -10,
  kSetOnNextDay = 10,
};

std::wstring TwoDigits(int value) { return (value < 10 ? L"0" : L"") + std::to_wstring(value); }

int WholeHours(double hours) { return static_cast<int>(hours); }

int WholeMinutes(double hours) { return static_cast<int>((hours - std::floor(hours)) * 60.0); }

}  // namespace

double OffsetInForceHours(platform::TimeZoneState state, const platform::TimeZoneInfo& info) {
  const std::int32_t shift =
      state == platform::TimeZoneState::kDaylightTime ? info.daylightBias : info.standardBias;
  // The bias is UTC minus local time in minutes.
  return static_cast<double>(info.bias + shift) * (-1.0 / 60.0);
}

std::int32_t ClassifyAndDecide(double rawRise, double rawSet, double now) {
  double rise = rawRise;
  double set = rawSet;
  std::int32_t placement = kWithinDay;
  if (rise < 0 && set < 0) {
    rise += 24;
    set += 24;
    placement = kBothRaised;
  }
  if (rise >= 24 && set >= 24) {
    rise -= 24;
    set -= 24;
    placement = kBothLowered;
  }
  if (rise < 0 && set > 0) placement = kRiseOnPreviousDay;
  if (rise > 0 && set >= 24) placement = kSetOnNextDay;

  bool day = false;
  switch (placement) {
    case kRiseOnPreviousDay:
      day = now > rise + 24 || (0 < now && now < set);
      break;
    case kSetOnNextDay:
      day = now > rise || (0 < now && now < set - 24);
      break;
    default:
      day = rise < now && now < set;
      break;
  }
  return day ? kDay : kNight;
}

std::wstring ComposeStatusText(double rise, double set) {
  return L"FlashMessage|Sunrise: " + TwoDigits(WholeHours(rise)) + L":" +
         TwoDigits(WholeMinutes(rise)) + L"  -  Sunset: " + TwoDigits(WholeHours(set)) + L":" +
         TwoDigits(WholeMinutes(set)) + L"|5000|";
}

std::int32_t DecideOnDate(std::tm& record, double tz, double latitude, double longitude,
                          const std::function<std::optional<double>()>& clockTime, SunOfDay& sun) {
  const SunCalculator calculator;
  sun = SunOfDay{};
  sun.rc = calculator.ComputeRiseSet(record, tz, latitude, longitude, sun.rise, sun.set,
                                     sun.rawRise, sun.rawSet);
  if (sun.rc == kSunNeverRises) return kNight;
  if (sun.rc == kSunNeverSets) return kDay;
  if (sun.rc != kRiseSetComputed) return kNoDecision;
  const std::optional<double> now = clockTime();
  if (!now) return kNoDecision;
  return ClassifyAndDecide(sun.rawRise, sun.rawSet, *now);
}

double ClockTimeOf(const std::tm& local) { return local.tm_hour + local.tm_min * (1.0 / 60.0); }

std::int32_t DecideDayNight(platform::Clock& clock, ShellState& state, double longitude,
                            double latitude) {
  platform::TimeZoneInfo zone;
  const platform::TimeZoneState zoneState = clock.QueryTimeZone(zone);
  if (zoneState == platform::TimeZoneState::kUnavailable) return kNoDecision;
  const double tz = OffsetInForceHours(zoneState, zone);

  std::tm record{};
  if (!clock.LocalNow(record)) return kNoDecision;

  // The clock is read a second time, after the computation.
  const auto clockTime = [&clock]() -> std::optional<double> {
    std::tm clockNow{};
    if (!clock.LocalNow(clockNow)) return std::nullopt;
    return ClockTimeOf(clockNow);
  };
  SunOfDay sun;
  const std::int32_t decision = DecideOnDate(record, tz, latitude, longitude, clockTime, sun);
  state.statusText = ComposeStatusText(sun.rise, sun.set);
  return decision;
}

}  // namespace nav
