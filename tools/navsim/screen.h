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
  // `utf8`: the terminal takes UTF-8; else everything is drawn in ASCII.
  Screen(std::FILE* out, bool colours, bool utf8) : out_(out), colours_(colours), utf8_(utf8) {}

  void Started(std::string_view description);
  // `request` and `reply` are the exchange's 8-bit texts.
  void Exchange(const std::tm& now, std::string_view request, std::string_view reply);
  void SchemeChanged(const std::tm& now, Scheme scheme);
  void Flash(const std::tm& now, std::string_view text, std::uint32_t ms);
  void Note(const std::tm& now, std::string_view text);

 private:
  void Line(const std::tm& now, std::string_view colour, const std::string& text);
  // The UTF-8 drawing where the terminal takes it, else the ASCII one.
  [[nodiscard]] const char* Draw(const char* utf8, const char* ascii) const {
    return utf8_ ? utf8 : ascii;
  }
  [[nodiscard]] std::string SchemeLabel(Scheme scheme) const;

  std::FILE* out_;
  bool colours_;
  bool utf8_;
  Scheme scheme_ = Scheme::kUnknown;
};

// Shows 8-bit exchange text, line ends made visible: in UTF-8, or in ASCII
// with the other characters as "\xHH" (their Windows-1252 byte). Control
// characters are always shown as "\xHH", so no text can drive the terminal.
std::string Printable(std::string_view bytes, bool utf8);

}  // namespace nav::navsim
