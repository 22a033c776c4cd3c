#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "navsim/navigator_behaviour.h"

namespace nav::navsim {

struct Options {
  double latitude = 52.37;  // Amsterdam
  double longitude = 4.89;
  Fault fault = Fault::kNone;
  std::uint32_t delayMs = 35000;  // how late a late navigator answers
  std::string logPath;            // one line per exchange, for scripts
  std::optional<bool> colours;    // unset: colours on a terminal only
  bool help = false;
  bool version = false;
};

// Parses the arguments after the program name. On failure returns nothing
// and puts a one-line reason into `error`.
std::optional<Options> ParseOptions(const std::vector<std::string>& arguments, std::string& error);

// Colours as asked on the command line; else none when NO_COLOR is set;
// else on a terminal only.
bool UseColours(const Options& options, bool onTerminal);

// Whether the terminal takes UTF-8, by the character set of the locale that
// LC_ALL, LC_CTYPE or LANG names (the first one set wins); else it gets ASCII.
bool TerminalTakesUtf8();

extern const char* const kUsage;

}  // namespace nav::navsim
