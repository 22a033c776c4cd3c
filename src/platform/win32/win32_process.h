#pragma once

#include <string>

#include "platform/process.h"

namespace nav::win32 {

// GetModuleFileNameW of the running executable, however long its path.
class Win32Process : public platform::Process {
 public:
  std::wstring ExecutablePath() override;
  std::wstring PathSeparators() override;
};

}  // namespace nav::win32
