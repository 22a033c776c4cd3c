#include "navsim/options.h"

#include <charconv>
#include <cmath>

namespace nav::navsim {

const char* const kUsage =
    "Usage: navsim [--lat DEGREES] [--lon DEGREES] [--fault MODE] [--delay-ms MS]\n"
    "              [--log FILE] [--colour | --no-colour]\n"
    "A stand-in for the TomTom Navigator: it registers the navigator's window and\n"
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
    "                 draw in the navigator's colours, or not (default: on a terminal)\n"
    "\n"
    "It stops on SIGINT or SIGTERM, removing its window.\n";

namespace {

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
  Options options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& name = arguments[i];
    if (name == "--help" || name == "-h") {
      options.help = true;
      continue;
    }
    if (name == "--colour" || name == "--color") {
      options.colours = true;
      continue;
    }
    if (name == "--no-colour" || name == "--no-color") {
      options.colours = false;
      continue;
    }
    if (name != "--lat" && name != "--lon" && name != "--fault" && name != "--delay-ms" &&
        name != "--log") {
      error = "unknown option '" + name + "'";
      return std::nullopt;
    }
    if (i + 1 == arguments.size()) {
      error = name + " needs a value";
      return std::nullopt;
    }
    const std::string& value = arguments[++i];
    if (name == "--lat") {
      if (!ParseDouble(value, options.latitude) || std::fabs(options.latitude) > 90.0) {
        error = "latitude must be a number from -90 to 90, not '" + value + "'";
        return std::nullopt;
      }
    } else if (name == "--lon") {
      if (!ParseDouble(value, options.longitude) || std::fabs(options.longitude) > 180.0) {
        error = "longitude must be a number from -180 to 180, not '" + value + "'";
        return std::nullopt;
      }
    } else if (name == "--fault") {
      const std::optional<Fault> fault = FaultFromName(value);
      if (!fault) {
        error = "unknown fault '" + value + "'";
        return std::nullopt;
      }
      options.fault = *fault;
    } else if (name == "--delay-ms") {
      if (!ParseMilliseconds(value, options.delayMs)) {
        error = "--delay-ms takes whole milliseconds, not '" + value + "'";
        return std::nullopt;
      }
    } else {
      options.logPath = value;
    }
  }
  return options;
}

}  // namespace nav::navsim
