#pragma once

#include <string>

namespace nav::platform {

class Process {
 public:
  virtual ~Process() = default;

  // Full native path of the running executable; empty when unknown.
  virtual std::wstring ExecutablePath() = 0;
  // The characters that separate directories in a native path.
  virtual std::wstring PathSeparators() = 0;
};

}  // namespace nav::platform
