#pragma once

#include <cstdio>

#include "command_line.h"
#include "input_parsing.h"
#include "local_clock.h"
#include "outcome.h"

namespace suntimes {

// One place and date, read and checked, and the zone's clock now.
struct PlaceRequest {
  double latitude = 0.0;
  double longitude = 0.0;
  double tz = 0.0;  // the offset from UT in force on the date, in hours
  CalendarDate date;
  ZoneClock now;
  bool today = false;
};

// Reads LAT, LON, --date and --tz. A zone name becomes this process's local
// zone, whose offset on the date is then taken.
Outcome<PlaceRequest> ReadPlaceRequest(const Options& options);

// The date and offset, sunrise and sunset (or that the Sun does not rise or
// set), and for today whether the Sun is up now.
void WritePlaceTimes(const PlaceRequest& request, std::FILE* out);

}  // namespace suntimes
