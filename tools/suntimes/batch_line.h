#pragma once

#include <cstddef>
#include <string_view>

#include "rise_set.h"

namespace suntimes {

// One batch input line "YEAR MONTH DAY TZ LAT LON". Any value the daemon could
// hand the ephemeris is taken, whatever its range: the poles as the
// navigator's fields make them (90.00000000000001), any longitude or offset.
struct BatchLine {
  CalendarDate date;
  double tz = 0.0;
  double latitude = 0.0;
  double longitude = 0.0;
};

// Reads `line` (without its '\n') into `out`. Null when it was read; else the
// reason: not six numbers, a month outside 1..12, a day the month lacks, a
// value that is not finite.
const char* ParseBatchLine(std::string_view line, BatchLine& out);

// Room for the longest answer line, its '\n' included.
inline constexpr std::size_t kMaxAnswerLength = 128;

// Writes "RC RISE SET RAWRISE RAWSET\n" into `out`, each double in the
// shortest form that reads back to the same bits; returns the end.
char* FormatBatchAnswer(const RiseSet& answer, char* out);

}  // namespace suntimes
