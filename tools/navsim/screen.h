#pragma once

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <string>
#include <string_view>

#include "navsim/navigator_behaviour.h"

namespace nav::navsim {

// What a person watching the navigator sees: one line for every exchange,
// drawn in the colours of the scheme in use, a banner when the scheme changes
// and the greetings it flashes.
class Screen {
 public:
  Screen(std::FILE* out, bool colours) : out_(out), colours_(colours) {}

  void Started(std::string_view description);
  // `request` and `reply` are the exchange's 8-bit texts.
  void Exchange(const std::tm& now, std::string_view request, std::string_view reply);
  void SchemeChanged(const std::tm& now, Scheme scheme);
  void Flash(const std::tm& now, std::string_view text, std::uint32_t ms);
  void Note(const std::tm& now, std::string_view text);

 private:
  void Line(const std::tm& now, std::string_view colour, const std::string& text);

  std::FILE* out_;
  bool colours_;
  Scheme scheme_ = Scheme::kUnknown;
};

// Shows 8-bit exchange text on a UTF-8 terminal, line ends made visible.
std::string Printable(std::string_view bytes);

}  // namespace nav::navsim
