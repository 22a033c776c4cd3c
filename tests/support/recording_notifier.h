#pragma once

#include <string>
#include <vector>

#include "platform/notifier.h"

namespace nav::testing {

// Keeps every message the program shows, and dismisses each at once.
class RecordingNotifier : public platform::Notifier {
 public:
  struct Shown {
    std::wstring text;
    std::wstring caption;
  };

  void ShowMessage(const std::wstring& text, const std::wstring& caption) override {
    shown.push_back({text, caption});
  }

  std::vector<Shown> shown;
};

}  // namespace nav::testing
