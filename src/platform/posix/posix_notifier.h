#pragma once

#include <string>

#include "platform/notifier.h"

namespace nav::posix {

// A background process has no one to dismiss a dialog: the message goes to
// standard error as one line, "CAPTION: TEXT", and the call returns at once.
class PosixNotifier : public platform::Notifier {
 public:
  void ShowMessage(const std::wstring& text, const std::wstring& caption) override;
};

}  // namespace nav::posix
