#include <stdlib.h>  // NOLINT(modernize-deprecated-headers): setenv
#include <time.h>    // NOLINT(modernize-deprecated-headers): tzset, localtime_r, gmtime_r

#include <cstdlib>
#include <string>

#include "zone_clock.h"

namespace suntimes {

std::tm UtcFields(std::time_t instant) {
  std::tm fields{};
  ::gmtime_r(&instant, &fields);
  return fields;
}

std::tm LocalFields(std::time_t instant) {
  std::tm fields{};
  ::localtime_r(&instant, &fields);
  return fields;
}

std::optional<double> LocalOffsetHoursAt(std::time_t instant) {
  std::tm local{};
  if (::localtime_r(&instant, &local) == nullptr) return std::nullopt;
  return static_cast<double>(local.tm_gmtoff) / 3600.0;
}

bool UseZoneNamed(std::string_view name) {
  const std::string zone(name);
  if (zone.empty() || zone.front() == '/' || zone.find("..") != std::string::npos) return false;
  const char* directory = std::getenv("TZDIR");
  const std::string file =
      std::string(directory != nullptr ? directory : "/usr/share/zoneinfo") + "/" + zone;
  // The C library takes an unknown name for UTC without a word: look first.
  std::FILE* database = std::fopen(file.c_str(), "rb");
  if (database == nullptr) return false;
  char magic[4] = {};
  const bool isZone = std::fread(magic, 1, sizeof magic, database) == sizeof magic &&
                      std::string_view(magic, sizeof magic) == "TZif";
  std::fclose(database);
  if (!isZone) return false;
  ::setenv("TZ", zone.c_str(), 1);
  ::tzset();
  return true;
}

void WriteLinesAsTheyAre(std::FILE* /*out*/) {}

}  // namespace suntimes
