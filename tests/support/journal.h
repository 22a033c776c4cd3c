#pragma once

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

#include "support/virtual_clock.h"

namespace nav::testing {

// One ordered record of what the fakes saw, each entry stamped with the
// virtual time, so a test can check the order of calls across fakes.
class Journal {
 public:
  struct Entry {
    std::chrono::milliseconds at;
    std::string what;
  };

  explicit Journal(const VirtualClock& clock) : clock_(clock) {}

  void Add(std::string what) { entries_.push_back({clock_.Elapsed(), std::move(what)}); }

  [[nodiscard]] const std::vector<Entry>& Entries() const { return entries_; }
  // The entries' texts, in order.
  [[nodiscard]] std::vector<std::string> Texts() const;
  // The entries whose text starts with `prefix`, in order.
  [[nodiscard]] std::vector<Entry> Starting(std::string_view prefix) const;

 private:
  const VirtualClock& clock_;
  std::vector<Entry> entries_;
};

// ASCII view of a wide text for journal entries; other characters become '?'.
std::string Ascii(std::wstring_view text);

}  // namespace nav::testing
