#include "command_line.h"

#include <getopt.h>

#include <cctype>
#include <string>

namespace suntimes {

const char* const kUsage =
    "usage: suntimes [--date YYYY-MM-DD] [--tz OFFSET|ZONE] [--] LAT LON\n"
    "       suntimes --is-day [--date YYYY-MM-DD] [--time HH:MM] [--tz OFFSET|ZONE] [--] LAT LON\n"
    "       suntimes --batch\n"
    "\n"
    "Sunrise and sunset of a local date (default today) at latitude LAT and\n"
    "longitude LON, in degrees, as local clock times. LAT is north positive or\n"
    "ends in N or S (52.37N, 33.87s), LON east positive or ends in E or W. A rise\n"
    "or set that falls on the day before or after is marked, as in\n"
    "\"00:23 (+1 day)\". For today it also tells whether the Sun is up now, and\n"
    "which colour scheme nav_manager sends now and from when the other one.\n"
    "\n"
    "Times are the local clock of this machine's time zone unless --tz gives\n"
    "another: hours from UT (5.5, -3), hours and minutes (+05:30, -0330), or a\n"
    "zone name (Europe/Berlin; not on Windows, which has no database of them\n"
    "for this). Without it, or with a name, the zone's offset in force on that\n"
    "date is used, daylight-saving time included. \"--\" ends the options, so\n"
    "that a negative latitude may follow.\n"
    "\n"
    "--is-day prints \"day\" and exits 0 when nav_manager would send its day\n"
    "scheme at that local date and clock time, prints \"night\" and exits 1 when\n"
    "it would send its night scheme, and exits 2 when it cannot tell (a wrong\n"
    "argument). --date and --time default to the date and time now.\n"
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
    "\"ERROR <reason>\" and the exit status becomes 1.\n"
    "\n"
    "Exit status: 0 answered; 1 a batch line could not be read or an answer not\n"
    "written; 2 a wrong argument. With --is-day: 0 day, 1 night, 2 no answer.\n";

namespace {

enum class OptionId { kHelp = 1000, kVersion, kBatch, kIsDay, kDate, kTime, kTz };

// One option: --name, also -letter when it has one. An option that takes a
// value says what it wants when the value is missing.
struct OptionRow {
  OptionId id;
  char letter;
  const char* name;
  const char* missingValue;  // null: the option takes no value
};

constexpr OptionRow kOptions[] = {
    {OptionId::kHelp, 'h', "help", nullptr},
    {OptionId::kVersion, '\0', "version", nullptr},
    {OptionId::kBatch, '\0', "batch", nullptr},
    {OptionId::kIsDay, '\0', "is-day", nullptr},
    {OptionId::kDate, '\0', "date", "option '--date' needs a value YYYY-MM-DD"},
    {OptionId::kTime, '\0', "time", "option '--time' needs a value HH:MM"},
    {OptionId::kTz, '\0', "tz", "option '--tz' needs a value: hours or a zone name"},
};

// The option getopt_long answered with: the letter of a short one, the id of
// a long one.
const OptionRow* RowAnswered(int answer) {
  for (const OptionRow& row : kOptions) {
    if (answer == static_cast<int>(row.id) || (row.letter != '\0' && answer == row.letter)) {
      return &row;
    }
  }
  return nullptr;
}

// The tables getopt_long reads, made from kOptions: the short letters
// (no reordering of the arguments; ':' for a missing value) and the long names.
struct GetoptTables {
  std::string letters = "+:";
  std::vector<option> names;
};

GetoptTables MakeGetoptTables() {
  GetoptTables tables;
  for (const OptionRow& row : kOptions) {
    const int hasArgument = row.missingValue != nullptr ? required_argument : no_argument;
    if (row.letter != '\0') {
      tables.letters += row.letter;
      if (hasArgument == required_argument) tables.letters += ':';
    }
    tables.names.push_back({row.name, hasArgument, nullptr, static_cast<int>(row.id)});
  }
  tables.names.push_back({nullptr, 0, nullptr, 0});
  return tables;
}

bool LooksLikeNumber(std::string_view arg) {
  return arg.size() > 1 && arg[0] == '-' &&
         (std::isdigit(static_cast<unsigned char>(arg[1])) != 0 || arg[1] == '.');
}

// getopt_long would also take an abbreviation ("--bat") or letters run
// together ("-hx"); each option is taken only whole, so that an option added
// later cannot change what an earlier command line means.
bool IsWholeOption(std::string_view arg) {
  for (const OptionRow& row : kOptions) {
    if (row.letter != '\0' && arg.size() == 2 && arg[0] == '-' && arg[1] == row.letter) {
      return true;
    }
    if (!arg.starts_with("--")) continue;
    const std::string_view written = arg.substr(2);
    const std::string_view name = written.substr(0, written.find('='));
    if (name == row.name) return name.size() == written.size() || row.missingValue != nullptr;
  }
  return false;
}

// What the options together do not allow.
std::optional<Failure> CheckCombination(const Options& options) {
  if (options.help || options.version) return std::nullopt;
  if (options.batch) {
    if (!options.positional.empty() || options.date || options.tz || options.time ||
        options.isDay) {
      return UsageFailure("--batch takes no other arguments");
    }
    return std::nullopt;
  }
  if (options.time && !options.isDay) return UsageFailure("--time goes with --is-day");
  if (options.positional.size() != 2) return UsageFailure("expected LAT and LON");
  return std::nullopt;
}

}  // namespace

Outcome<Options> ReadOptions(int argc, char** argv) {
  const GetoptTables tables = MakeGetoptTables();
  Options options;
  opterr = 0;
  optind = 1;  // the first argument after the program's name
  while (optind < argc) {
    const std::string_view arg = argv[optind];
    if (arg == "--") {
      ++optind;
      break;
    }
    if (arg.size() < 2 || arg[0] != '-' || LooksLikeNumber(arg)) {
      options.positional.push_back(arg);
      ++optind;
      continue;
    }
    if (!IsWholeOption(arg)) return UsageFailure("unknown option '" + std::string(arg) + "'");
    const int answer =
        getopt_long(argc, argv, tables.letters.c_str(), tables.names.data(), nullptr);
    const OptionRow* row = RowAnswered(answer == ':' ? optopt : answer);
    if (row == nullptr) return UsageFailure("unknown option '" + std::string(arg) + "'");
    if (answer == ':') return UsageFailure(row->missingValue);
    switch (row->id) {
      case OptionId::kHelp:
        options.help = true;
        break;
      case OptionId::kVersion:
        options.version = true;
        break;
      case OptionId::kBatch:
        options.batch = true;
        break;
      case OptionId::kIsDay:
        options.isDay = true;
        break;
      case OptionId::kTime:
        options.time = optarg;
        break;
      case OptionId::kDate:
        options.date = optarg;
        break;
      case OptionId::kTz:
        options.tz = optarg;
        break;
    }
  }
  for (; optind < argc; ++optind) options.positional.emplace_back(argv[optind]);
  if (const std::optional<Failure> failure = CheckCombination(options)) return *failure;
  return options;
}

}  // namespace suntimes
