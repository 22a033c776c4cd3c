#include "navsim/options.h"

#include <getopt.h>

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace nav::navsim {

const char* const kUsage =
    "usage: navsim [--lat DEGREES] [--lon DEGREES] [--fault MODE] [--delay-ms MS]\n"
    "              [--log FILE] [--colour | --no-colour]\n"
    "       navsim --help | --version\n"
    "A stand-in for the navigator: it registers the navigator's window and\n"
    "answers nav_manager's file calls in $NAV_MANAGER_ROOT/TomTom/SdkFileCalls/.\n"
    "\n"
    "  --lat, --lon   the position it reports, decimal degrees, north and east\n"
    "                 positive (default 52.37 4.89, Amsterdam)\n"
    "  --fault MODE   none, late, silent, empty-marker, locked-marker, malformed,\n"
    "                 bad-status (default none)\n"
    "  --delay-ms MS  with --fault late: how long it waits before answering\n"
    "                 (default 35000, beyond the caller's 30 s patience)\n"
    "  --log FILE     append a line per exchange: time, request and reply\n"
    "  --colour, --no-colour\n"
    "                 draw in the navigator's colours, or not (default: on a\n"
    "                 terminal, unless NO_COLOR is set)\n"
    "It draws in UTF-8 where the locale (LC_ALL, LC_CTYPE, LANG) is UTF-8, else\n"
    "in ASCII, with the exchange's other characters as \\xHH.\n"
    "Options may be abbreviated, and take their value as --lat=52.37 too.\n"
    "\n"
    "It stops on SIGINT or SIGTERM, removing its window.\n";

namespace {

// The navigator's own fields at the pole and the antimeridian, once scaled
// (90.00000000000001 and 180.00000000000003 degrees), are positions too.
constexpr double kPoleLatitude = 9000000 * 1e-05;
constexpr double kAntimeridian = 18000000 * 1e-05;

bool ParseDouble(const std::string& text, double& value) {
  const char* end = text.data() + text.size();
  const auto [next, error] = std::from_chars(text.data(), end, value);
  return error == std::errc{} && next == end && std::isfinite(value);
}

bool ParseMilliseconds(const std::string& text, std::uint32_t& value) {
  const char* end = text.data() + text.size();
  const auto [next, error] = std::from_chars(text.data(), end, value);
  return error == std::errc{} && next == end;
}

}  // namespace

std::optional<Options> ParseOptions(const std::vector<std::string>& arguments, std::string& error) {
  enum : int { kLat = 1000, kLon, kFault, kDelay, kLog, kColour, kNoColour, kVersion };
  static const option kLongOptions[] = {{"lat", required_argument, nullptr, kLat},
                                        {"lon", required_argument, nullptr, kLon},
                                        {"fault", required_argument, nullptr, kFault},
                                        {"delay-ms", required_argument, nullptr, kDelay},
                                        {"log", required_argument, nullptr, kLog},
                                        {"colour", no_argument, nullptr, kColour},
                                        {"color", no_argument, nullptr, kColour},
                                        {"no-colour", no_argument, nullptr, kNoColour},
                                        {"no-color", no_argument, nullptr, kNoColour},
                                        {"help", no_argument, nullptr, 'h'},
                                        {"version", no_argument, nullptr, kVersion},
                                        {nullptr, 0, nullptr, 0}};

  // getopt_long works on a C argument vector, which it may reorder.
  std::vector<std::string> copies = arguments;
  std::vector<char*> argv;
  std::string program = "navsim";
  argv.push_back(program.data());
  for (std::string& argument : copies) argv.push_back(argument.data());
  argv.push_back(nullptr);
  const int argc = static_cast<int>(argv.size()) - 1;

  Options options;
  opterr = 0;
  optind = 0;  // start afresh, whatever an earlier parse left
  for (;;) {
    int index = 0;
    const int id = getopt_long(argc, argv.data(), ":h", kLongOptions, &index);
    if (id == -1) break;
    const std::string value = optarg != nullptr ? optarg : "";
    switch (id) {
      case 'h':
        options.help = true;
        break;
      case kVersion:
        options.version = true;
        break;
      case kColour:
        options.colours = true;
        break;
      case kNoColour:
        options.colours = false;
        break;
      case kLat:
        if (!ParseDouble(value, options.latitude) || std::fabs(options.latitude) > kPoleLatitude) {
          error = "latitude must be a number from -90 to 90, not '" + value + "'";
          return std::nullopt;
        }
        break;
      case kLon:
        if (!ParseDouble(value, options.longitude) ||
            std::fabs(options.longitude) > kAntimeridian) {
          error = "longitude must be a number from -180 to 180, not '" + value + "'";
          return std::nullopt;
        }
        break;
      case kFault: {
        const std::optional<Fault> fault = FaultFromName(value);
        if (!fault) {
          error = "unknown fault '" + value + "'";
          return std::nullopt;
        }
        options.fault = *fault;
        break;
      }
      case kDelay:
        if (!ParseMilliseconds(value, options.delayMs)) {
          error = "--delay-ms takes whole milliseconds, not '" + value + "'";
          return std::nullopt;
        }
        break;
      case kLog:
        options.logPath = value;
        break;
      case ':':
        error = "option '" + std::string(argv[static_cast<std::size_t>(optind) - 1]) +
                "' needs a value";
        return std::nullopt;
      default:
        error = "unknown option '" + std::string(argv[static_cast<std::size_t>(optind) - 1]) + "'";
        return std::nullopt;
    }
  }
  if (optind < argc) {
    error = "unexpected argument '" + std::string(argv[static_cast<std::size_t>(optind)]) + "'";
    return std::nullopt;
  }
  return options;
}

bool TerminalTakesUtf8() {
  for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') continue;
    std::string locale(value);
    for (char& c : locale) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return locale.find("utf-8") != std::string::npos || locale.find("utf8") != std::string::npos;
  }
  return false;
}

bool UseColours(const Options& options, bool onTerminal) {
  if (options.colours) return *options.colours;
  // https://no-color.org: a set, non-empty NO_COLOR turns colour off.
  const char* noColour = std::getenv("NO_COLOR");
  if (noColour != nullptr && *noColour != '\0') return false;
  return onTerminal;
}

}  // namespace nav::navsim
