#include "shell/program_directory.h"

namespace nav {

std::wstring GetProgramDirectory(platform::Process& process) {
  const std::wstring path = process.ExecutablePath();
  const std::size_t lastSeparator = path.find_last_of(process.PathSeparators());
  if (lastSeparator == std::wstring::npos) return {};
  return path.substr(0, lastSeparator + 1);
}

}  // namespace nav
