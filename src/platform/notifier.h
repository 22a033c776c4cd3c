#pragma once

#include <string>

namespace nav::platform {

// The one way the program speaks to a person: a message with an OK button.
class Notifier {
 public:
  virtual ~Notifier() = default;

  // Shows `text` under `caption` and returns once it has been dismissed.
  virtual void ShowMessage(const std::wstring& text, const std::wstring& caption) = 0;
};

}  // namespace nav::platform
