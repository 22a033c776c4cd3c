#pragma once

#include <string>
#include <string_view>

namespace nav {

// The 8-bit form of a wide text as the navigator's exchange files carry it:
// Windows-1252, one byte per character, whatever the process's locale. A
// character outside that code page becomes "?".
class NarrowText {
 public:
  explicit NarrowText(std::wstring_view wide);

  [[nodiscard]] const std::string& Bytes() const { return bytes_; }
  [[nodiscard]] const char* CStr() const { return bytes_.c_str(); }

 private:
  std::string bytes_;
};

// Reads Windows-1252 bytes back into wide text; the text ends at the first
// zero byte, if there is one.
std::wstring WideFromNarrow(std::string_view bytes);

}  // namespace nav
