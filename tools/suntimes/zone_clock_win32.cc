#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdint>
#include <ctime>

#include "platform/win32/calendar_fields.h"
#include "zone_clock.h"

namespace suntimes {

namespace {

// Seconds from 1601-01-01 (FILETIME's epoch) to 1970-01-01.
constexpr std::int64_t kUnixEpochInFileTimeSeconds = 11644473600;

bool ToSystemTime(std::time_t instant, SYSTEMTIME& utc) {
  const auto ticks = static_cast<std::uint64_t>(
      (static_cast<std::int64_t>(instant) + kUnixEpochInFileTimeSeconds) * 10000000);
  FILETIME fileTime{};
  fileTime.dwLowDateTime = static_cast<DWORD>(ticks & 0xFFFFFFFFU);
  fileTime.dwHighDateTime = static_cast<DWORD>(ticks >> 32U);
  return FileTimeToSystemTime(&fileTime, &utc) != 0;
}

// The local clock's reading at `instant`, by the zone's rules for that year.
// The C runtime is not asked: under Wine it reads TZ itself and misses
// daylight-saving time for zone names.
bool LocalSystemTime(std::time_t instant, SYSTEMTIME& local) {
  SYSTEMTIME utc{};
  return ToSystemTime(instant, utc) && SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local) != 0;
}

}  // namespace

std::tm UtcFields(std::time_t instant) {
  SYSTEMTIME utc{};
  if (!ToSystemTime(instant, utc)) return std::tm{};
  return nav::win32::CalendarFields(utc);
}

std::tm LocalFields(std::time_t instant) {
  SYSTEMTIME local{};
  if (!LocalSystemTime(instant, local)) return UtcFields(instant);
  return nav::win32::CalendarFields(local);
}

std::optional<double> LocalOffsetHoursAt(std::time_t instant) {
  // The local clock's reading taken as if it were UT, less the instant.
  SYSTEMTIME local{};
  FILETIME localAsUtc{};
  if (!LocalSystemTime(instant, local) || SystemTimeToFileTime(&local, &localAsUtc) == 0) {
    return std::nullopt;
  }
  const std::uint64_t ticks =
      (static_cast<std::uint64_t>(localAsUtc.dwHighDateTime) << 32U) | localAsUtc.dwLowDateTime;
  const auto seconds = static_cast<std::int64_t>(ticks / 10000000) - kUnixEpochInFileTimeSeconds;
  return static_cast<double>(seconds - static_cast<std::int64_t>(instant)) / 3600.0;
}

// Windows has no database of zone names for this.
bool UseZoneNamed(std::string_view /*name*/) { return false; }

void WriteLinesAsTheyAre(std::FILE* out) { _setmode(_fileno(out), _O_BINARY); }

}  // namespace suntimes
