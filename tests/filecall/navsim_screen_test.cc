#include <gtest/gtest.h>

#include <string>

#include "navsim/screen.h"

namespace nav::navsim {
namespace {

// Exchange text comes from whoever writes the files: a control character
// shown as it is would drive the watcher's terminal (clear it, retitle it,
// feed it an escape sequence), so every one shows as its byte, in both modes.
TEST(NavsimScreen, ControlCharactersInExchangeTextAreShownAsTheirBytes) {
  const std::string text = "Get\x1b]0;x\x07\x7f\x9d\x81|\r\n";
  for (const bool utf8 : {true, false}) {
    EXPECT_EQ(Printable(text, utf8), "Get\\x1B]0;x\\x07\\x7F\\x9D\\x81|\\r\\n") << utf8;
  }
  // Printable characters beyond ASCII stay readable where the terminal takes UTF-8.
  EXPECT_EQ(Printable("\x80\xe9", true), "\u20ac\u00e9");
  EXPECT_EQ(Printable("\x80\xe9", false), "\\x80\\xE9");
  EXPECT_EQ(Printable(std::string("a\0b", 3), true), "a");
}

}  // namespace
}  // namespace nav::navsim
