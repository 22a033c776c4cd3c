#pragma once

#include <cstdint>
#include <cstdio>

#include "command_line.h"
#include "input_parsing.h"
#include "local_clock.h"
#include "outcome.h"
#include "scheme.h"

namespace suntimes {

// One place, date and clock time, read and checked, and the zone's clock now.
struct PlaceRequest {
  Place place;
  double tz = 0.0;   // the offset from UT in force on the date, in hours
  LocalMinute when;  // the date asked for (default today), at --time or now
  ZoneClock now;
  bool today = false;
};

// Reads LAT, LON, --date, --time and --tz. A zone name becomes this process's
// local zone, whose offset on the date is then taken.
Outcome<PlaceRequest> ReadPlaceRequest(const Options& options);

// The date and offset, sunrise and sunset (or that the Sun does not rise or
// set), and for today whether the Sun is up now and the schemes nav_manager
// sends now and next.
void WritePlaceTimes(const PlaceRequest& request, std::FILE* out);

// nav::kDay or nav::kNight at the date and clock time asked for, written as
// one word; nav::kNoDecision, writing nothing, when the zone gives no offset.
std::int32_t WriteScheme(const PlaceRequest& request, std::FILE* out);

}  // namespace suntimes
