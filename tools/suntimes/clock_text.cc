#include "clock_text.h"

#include <cmath>
#include <cstdio>

namespace suntimes {

namespace {

std::string ClockText(double hours) {
  const long long minutes = std::llround(WithinDay(hours) * 60.0) % 1440;
  char text[32];
  std::snprintf(text, sizeof text, "%02lld:%02lld", minutes / 60, minutes % 60);
  return text;
}

// The time placed in the day that begins at `from`, on the clock, marked with
// the day it falls on when that is not the date asked for.
std::string ClockTextOfDay(double hours, double from) {
  const double placed = hours - 24.0 * std::floor((hours - from) / 24.0);
  const long long day = std::llround(std::floor(placed / 24.0));
  std::string text = ClockText(placed);
  if (day > 0) text += " (+" + std::to_string(day) + " day)";
  if (day < 0) text += " (" + std::to_string(day) + " day)";
  return text;
}

}  // namespace

double WithinDay(double hours) {
  const double h = std::fmod(hours, 24.0);
  return h < 0.0 ? h + 24.0 : h;
}

DayTimes PlaceAroundTransit(double rawRise, double rawSet, double tz, double longitude) {
  const double transit = 12.0 + tz - longitude / 15.0;
  return {ClockTextOfDay(rawRise, transit - 12.0), ClockTextOfDay(rawSet, transit)};
}

std::string OffsetText(double tz) {
  const long long minutes = std::llround(std::fabs(tz) * 60.0);
  char text[48];
  std::snprintf(text, sizeof text, "UTC%c%02lld:%02lld", tz < 0.0 ? '-' : '+', minutes / 60,
                minutes % 60);
  return text;
}

}  // namespace suntimes
