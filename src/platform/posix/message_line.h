#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace nav::posix {

// The text spoken over a window's socket: the sender writes one request line
// "MSG WPARAM LPARAM\n" in decimal (a close request is "16 0 0\n"), the
// window's owner answers with one line holding the decimal result.
struct MessageRequest {
  std::uint32_t id = 0;
  std::uintptr_t wParam = 0;
  std::intptr_t lParam = 0;
};

std::string FormatRequest(const MessageRequest& request);
// `line` without its '\n'. Exactly three decimal numbers with single spaces
// between them, each in its type's range; nothing otherwise.
std::optional<MessageRequest> ParseRequest(std::string_view line);

std::string FormatResult(std::intptr_t result);
std::optional<std::intptr_t> ParseResult(std::string_view line);

}  // namespace nav::posix
