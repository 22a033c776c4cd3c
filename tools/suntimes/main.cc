// suntimes: sunrise and sunset from the navigator manager's solar ephemeris,
// for people (one place and date) and for checks (--batch).

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "batch_mode.h"
#include "input_parsing.h"
#include "rise_set.h"
#include "zone_clock.h"

namespace suntimes {

namespace {

constexpr const char* kUsage =
    "usage: suntimes [--date YYYY-MM-DD] [--tz HOURS|ZONE] [--] LAT LON\n"
    "       suntimes --batch\n"
    "\n"
    "Sunrise and sunset of a local date (default today) at latitude LAT (north\n"
    "positive) and longitude LON (east positive), in degrees, as local clock\n"
    "times; for today also whether the Sun is up now. A rise or set that falls\n"
    "on the day before or after is marked, as in \"00:23 (+1 day)\". --tz gives\n"
    "the offset of local time from UT in hours, or a zone name (Europe/Berlin);\n"
    "without it, or with a name, the zone's offset in force on that date is\n"
    "used, daylight-saving time included. \"--\" ends the options, so that a\n"
    "negative latitude may follow.\n"
    "\n"
    "Accuracy: the navigator manager's own solar theory, computed once for local\n"
    "noon. Against a modern ephemeris its times are off by a few minutes:\n"
    "typically 1.5 minutes, at most about 7. It is no survey tool.\n"
    "\n"
    "--batch reads lines \"YEAR MONTH DAY TZ LAT LON\" from standard input and\n"
    "writes \"RC RISE SET RAWRISE RAWSET\" for each: the rise/set computation's\n"
    "result and its four outputs (set to 0 before the call), each in the\n"
    "shortest form that reads back to the same double. Any values are computed\n"
    "as given, whatever their range; a line that is not six numbers, a month\n"
    "outside 1..12, a day the month lacks or a value that is not finite gets\n"
    "\"ERROR <reason>\" and the exit status becomes 1.\n";

struct Options {
  bool help = false;
  bool batch = false;
  std::vector<std::string_view> positional;
  std::optional<std::string_view> date;
  std::optional<std::string_view> tz;
};

struct UsageError {
  std::string message;
};

bool LooksLikeNumber(std::string_view arg) {
  return arg.size() > 1 && arg[0] == '-' &&
         (std::isdigit(static_cast<unsigned char>(arg[1])) != 0 || arg[1] == '.');
}

// Fills `options`; returns the reason when the command line is unusable.
std::optional<UsageError> ReadOptions(int argc, char** argv, Options& options) {
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (optionsEnded) {
      options.positional.push_back(arg);
      continue;
    }
    const auto value = [&](std::string_view name) -> std::optional<std::string_view> {
      if (arg.size() > name.size() && arg.substr(0, name.size()) == name &&
          arg[name.size()] == '=') {
        return arg.substr(name.size() + 1);
      }
      if (arg == name && i + 1 < argc) {
        return std::string_view(argv[++i]);
      }
      return std::nullopt;
    };
    if (arg == "--") {
      optionsEnded = true;
    } else if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--batch") {
      options.batch = true;
    } else if (arg.rfind("--date", 0) == 0 && (arg == "--date" || arg[6] == '=')) {
      options.date = value("--date");
      if (!options.date) {
        return UsageError{"--date needs a value YYYY-MM-DD"};
      }
    } else if (arg.rfind("--tz", 0) == 0 && (arg == "--tz" || arg[4] == '=')) {
      options.tz = value("--tz");
      if (!options.tz) {
        return UsageError{"--tz needs a value: hours or a zone name"};
      }
    } else if (arg.size() > 1 && arg[0] == '-' && !LooksLikeNumber(arg)) {
      return UsageError{"unknown option " + std::string(arg)};
    } else {
      options.positional.push_back(arg);
    }
  }
  if (options.help) {
    return std::nullopt;
  }
  if (options.batch) {
    if (!options.positional.empty() || options.date || options.tz) {
      return UsageError{"--batch takes no other arguments"};
    }
    return std::nullopt;
  }
  if (options.positional.size() != 2) {
    return UsageError{"expected LAT and LON"};
  }
  return std::nullopt;
}

// The zone's view of one instant: its calendar date, clock time and offset.
struct ZoneClock {
  CalendarDate date;
  double hours = 0.0;
};

ZoneClock ClockAt(const std::tm& fields) {
  return {{fields.tm_year + 1900, fields.tm_mon + 1, fields.tm_mday},
          fields.tm_hour + fields.tm_min / 60.0 + fields.tm_sec / 3600.0};
}

// Now, in the local zone or at a fixed offset from UT.
ZoneClock ClockNow(std::optional<double> tz) {
  const std::time_t now = std::time(nullptr);
  std::tm fields{};
  if (tz) {
    const std::time_t shifted = now + static_cast<std::time_t>(std::llround(*tz * 3600.0));
    fields = UtcFields(shifted);
  } else {
    fields = LocalFields(now);
  }
  return ClockAt(fields);
}

// The offset from UT in force in the local zone at noon of the date.
std::optional<double> LocalOffsetOn(const CalendarDate& date) {
  std::tm fields{};
  fields.tm_year = date.year - 1900;
  fields.tm_mon = date.month - 1;
  fields.tm_mday = date.day;
  fields.tm_hour = 12;
  fields.tm_isdst = -1;
  const std::time_t noon = std::mktime(&fields);
  if (noon == static_cast<std::time_t>(-1)) return std::nullopt;
  return LocalOffsetHoursAt(noon);
}

// A time in hours brought into one day, as the clock shows it.
double WithinDay(double hours) {
  const double h = std::fmod(hours, 24.0);
  return h < 0.0 ? h + 24.0 : h;
}

std::string ClockText(double hours) {
  const long long minutes = std::llround(WithinDay(hours) * 60.0) % 1440;
  char text[32];
  std::snprintf(text, sizeof text, "%02lld:%02lld", minutes / 60, minutes % 60);
  return text;
}

// Rise and set on the clock of the date asked for, each marked when it falls
// on the day before or after. The ephemeris gives them only up to whole days;
// the Sun rises within the twelve hours before its transit and sets within
// the twelve after, the transit lying near 12 h local mean time.
struct DayTimes {
  std::string rise;
  std::string set;
};

std::string ClockTextOfDay(double hours, double from) {
  const double placed = hours - 24.0 * std::floor((hours - from) / 24.0);
  const long long day = std::llround(std::floor(placed / 24.0));
  std::string text = ClockText(placed);
  if (day > 0) text += " (+" + std::to_string(day) + " day)";
  if (day < 0) text += " (" + std::to_string(day) + " day)";
  return text;
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

int RunForPlace(const Options& options) {
  const std::optional<double> latitude = ParseDecimal(options.positional[0]);
  const std::optional<double> longitude = ParseDecimal(options.positional[1]);
  if (!latitude || !longitude) {
    throw UsageError{"LAT and LON must be decimal numbers of degrees"};
  }
  for (const std::string& reason : {CheckLatitude(*latitude), CheckLongitude(*longitude)}) {
    if (!reason.empty()) {
      throw UsageError{reason};
    }
  }
  std::optional<double> fixedOffset;
  if (options.tz) {
    fixedOffset = ParseDecimal(*options.tz);
    if (!fixedOffset) {
      // A zone name: its own offset on the date, daylight-saving time included.
      if (!UseZoneNamed(*options.tz)) {
        throw UsageError{"this system knows no time zone named '" + std::string(*options.tz) +
                         "' (--tz takes hours, or a zone name where the system has them)"};
      }
    } else if (const std::string reason = CheckZoneOffset(*fixedOffset); !reason.empty()) {
      throw UsageError{reason};
    }
  }

  const ZoneClock now = ClockNow(fixedOffset);
  CalendarDate date = now.date;
  if (options.date) {
    const std::optional<CalendarDate> parsed = ParseIsoDate(*options.date);
    if (!parsed) {
      throw UsageError{"--date must be YYYY-MM-DD"};
    }
    date = *parsed;
  }
  if (const std::string reason = CheckDate(date); !reason.empty()) {
    throw UsageError{"no such date: " + reason};
  }
  const bool today =
      date.year == now.date.year && date.month == now.date.month && date.day == now.date.day;

  std::optional<double> tz = fixedOffset;
  if (!tz) {
    tz = LocalOffsetOn(date);
    if (!tz) {
      std::fprintf(stderr, "suntimes: the local time zone gives no offset for that date\n");
      return 1;
    }
  }

  const RiseSet answer = ComputeRiseSetOn(date, *tz, *latitude, *longitude);

  std::printf("%04d-%02d-%02d %s\n", date.year, date.month, date.day, OffsetText(*tz).c_str());
  bool up = false;
  if (answer.rc == -1) {
    std::printf("no sunrise today\n");
  } else if (answer.rc == -2) {
    std::printf("no sunset today\n");
    up = true;
  } else {
    const DayTimes times = PlaceAroundTransit(answer.rawRise, answer.rawSet, *tz, *longitude);
    std::printf("sunrise %s\nsunset  %s\n", times.rise.c_str(), times.set.c_str());
    // Between rise and set on the clock, the interval possibly crossing midnight.
    const double from = WithinDay(answer.rawRise);
    const double to = WithinDay(answer.rawSet);
    up = from <= to ? (from <= now.hours && now.hours < to) : (now.hours >= from || now.hours < to);
  }
  if (today) {
    std::printf("the Sun is %s now\n", up ? "up" : "down");
  }
  return 0;
}

// An answer that did not reach its reader (a full disk, a closed pipe) is a
// failure, not a success.
int OutputWritten(int status) {
  if (std::fflush(stdout) == 0 && std::ferror(stdout) == 0) return status;
  std::fprintf(stderr, "suntimes: cannot write the answer: %s\n", std::strerror(errno));
  return 1;
}

}  // namespace

}  // namespace suntimes

int main(int argc, char** argv) {
  using namespace suntimes;
  Options options;
  std::optional<UsageError> error = ReadOptions(argc, argv, options);
  if (!error) {
    if (options.help) {
      std::fputs(kUsage, stdout);
      return OutputWritten(0);
    }
    if (options.batch) {
      WriteLinesAsTheyAre(stdout);
      return RunBatch(stdin, stdout);
    }
    try {
      return OutputWritten(RunForPlace(options));
    } catch (const UsageError& usage) {
      error = usage;
    }
  }
  std::fprintf(stderr, "suntimes: %s (see suntimes --help)\n", error->message.c_str());
  return 2;
}
