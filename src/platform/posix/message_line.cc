#include "platform/posix/message_line.h"

#include <charconv>

namespace nav::posix {
namespace {

// Takes one whole decimal number from the front of `text`, up to `separator`
// or the end when separator is 0.
template <typename Number>
bool TakeNumber(std::string_view& text, char separator, Number& value) {
  const std::size_t end = separator != 0 ? text.find(separator) : text.size();
  if (end == std::string_view::npos || end == 0) {
    return false;
  }
  const char* first = text.data();
  const char* last = text.data() + end;
  const auto [stop, error] = std::from_chars(first, last, value);
  if (error != std::errc() || stop != last) {
    return false;
  }
  text.remove_prefix(separator != 0 ? end + 1 : end);
  return true;
}

}  // namespace

std::string FormatRequest(const MessageRequest& request) {
  return std::to_string(request.id) + " " + std::to_string(request.wParam) + " " +
         std::to_string(request.lParam) + "\n";
}

std::optional<MessageRequest> ParseRequest(std::string_view line) {
  MessageRequest request;
  if (TakeNumber(line, ' ', request.id) && TakeNumber(line, ' ', request.wParam) &&
      TakeNumber(line, '\0', request.lParam)) {
    return request;
  }
  return std::nullopt;
}

std::string FormatResult(std::intptr_t result) { return std::to_string(result) + "\n"; }

std::optional<std::intptr_t> ParseResult(std::string_view line) {
  std::intptr_t result = 0;
  if (TakeNumber(line, '\0', result)) {
    return result;
  }
  return std::nullopt;
}

}  // namespace nav::posix
