#pragma once

#include "platform/process.h"

namespace nav::posix {

class PosixProcess final : public platform::Process {
 public:
  // The target of /proc/self/exe.
  std::wstring ExecutablePath() override;
  std::wstring PathSeparators() override;
};

}  // namespace nav::posix
