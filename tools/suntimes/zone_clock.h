#pragma once

#include <cstdio>
#include <ctime>
#include <optional>
#include <string_view>

// What suntimes reads of the system's clock and zones, one file per system.
namespace suntimes {

std::tm UtcFields(std::time_t instant);
std::tm LocalFields(std::time_t instant);
// The local zone's offset from UT at `instant`, daylight-saving time included.
std::optional<double> LocalOffsetHoursAt(std::time_t instant);
// Makes the zone of that name in the system's time-zone database the local
// zone of this process. False when there is no such zone (or no database).
bool UseZoneNamed(std::string_view name);
// Lines end in '\n' alone, as on every other system, for cross-checks.
void WriteLinesAsTheyAre(std::FILE* out);

}  // namespace suntimes
