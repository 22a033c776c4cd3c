#include <fcntl.h>
#include <io.h>

#include <ctime>

#include "zone_clock.h"

namespace suntimes {

std::tm UtcFields(std::time_t instant) {
  std::tm fields{};
  gmtime_s(&fields, &instant);
  return fields;
}

std::tm LocalFields(std::time_t instant) {
  std::tm fields{};
  localtime_s(&fields, &instant);
  return fields;
}

std::optional<double> LocalOffsetHoursAt(std::time_t instant) {
  // The local clock's reading taken as if it were UT, less the instant.
  std::tm local{};
  std::tm utc{};
  if (localtime_s(&local, &instant) != 0 || gmtime_s(&utc, &instant) != 0) return std::nullopt;
  utc.tm_isdst = 0;
  local.tm_isdst = 0;
  const std::time_t asUtc = std::mktime(&utc);
  const std::time_t asLocal = std::mktime(&local);
  if (asUtc == static_cast<std::time_t>(-1) || asLocal == static_cast<std::time_t>(-1)) {
    return std::nullopt;
  }
  return static_cast<double>(asLocal - asUtc) / 3600.0;
}

// Windows has no database of zone names for this.
bool UseZoneNamed(std::string_view /*name*/) { return false; }

void WriteLinesAsTheyAre(std::FILE* out) { _setmode(_fileno(out), _O_BINARY); }

}  // namespace suntimes
