#pragma once

#include <string>

#include "platform/notifier.h"

namespace nav::win32 {

// MessageBoxW with an OK button, modal: returns once it has been dismissed.
class Win32Notifier : public platform::Notifier {
 public:
  void ShowMessage(const std::wstring& text, const std::wstring& caption) override;
};

}  // namespace nav::win32
