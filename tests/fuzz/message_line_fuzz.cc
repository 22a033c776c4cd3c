// Lines that arrive on a window's socket: a request read is one that, written
// again, reads back the same.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/posix/message_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  if (const auto request = nav::posix::ParseRequest(line)) {
    std::string text = nav::posix::FormatRequest(*request);
    if (!text.empty() && text.back() == '\n') text.pop_back();
    const auto again = nav::posix::ParseRequest(text);
    if (!again || again->id != request->id || again->wParam != request->wParam ||
        again->lParam != request->lParam) {
      __builtin_trap();
    }
  }
  if (const auto result = nav::posix::ParseResult(line)) {
    std::string text = nav::posix::FormatResult(*result);
    if (!text.empty() && text.back() == '\n') text.pop_back();
    if (nav::posix::ParseResult(text) != result) __builtin_trap();
  }
  return 0;
}
