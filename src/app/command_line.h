#pragma once

#include <optional>

namespace nav::app {

// nav_manager takes no options; a person who types one must not switch the
// program on or off by it. Returns the exit status when the command line was
// answered here (--help, --version, anything else), nothing when there is no
// argument and the program is to run.
std::optional<int> AnswerCommandLine(int argc, char** argv);

}  // namespace nav::app
