#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "outcome.h"

namespace suntimes {

// What the command line asks for; the texts point into the argument vector.
struct Options {
  bool help = false;
  bool version = false;
  bool batch = false;
  bool isDay = false;
  std::vector<std::string_view> positional;
  std::optional<std::string_view> date;
  std::optional<std::string_view> tz;
  std::optional<std::string_view> time;
};

// Reads the arguments after the program's name. Options may stand before,
// between or after LAT and LON, their values as "--date X" or "--date=X"; a
// negative number is a value, not an option; "--" ends the options.
Outcome<Options> ReadOptions(int argc, char** argv);

extern const char* const kUsage;

}  // namespace suntimes
