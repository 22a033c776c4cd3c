#pragma once

#include <string>

#include "platform/process.h"

namespace nav::testing {

// An executable installed at a fixed path.
class FakeProcess : public platform::Process {
 public:
  std::wstring ExecutablePath() override { return executablePath; }
  std::wstring PathSeparators() override { return pathSeparators; }

  std::wstring executablePath = L"/opt/nav/bin/nav_manager";
  std::wstring pathSeparators = L"/";
};

}  // namespace nav::testing
