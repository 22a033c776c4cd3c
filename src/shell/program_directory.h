#pragma once

#include <string>

#include "platform/process.h"

namespace nav {

// The running executable's directory, ending in its separator so that a file
// name can be appended directly. Empty when the path is unknown or has no
// separator.
std::wstring GetProgramDirectory(platform::Process& process);

}  // namespace nav
