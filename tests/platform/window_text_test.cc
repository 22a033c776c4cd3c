#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "filecall/navigator_names.h"
#include "platform/posix/message_line.h"
#include "platform/posix/window_name.h"
#include "platform/window_messages.h"

namespace nav::posix {
namespace {

TEST(WindowName, NamesTheWindowsThisProgramMeets) {
  EXPECT_EQ(WindowSocketName(L"KW5", L""), "KW5#");
  EXPECT_EQ(WindowSocketName(kNavigatorClassName, kNavigatorTitle),
            "MunichWinClass#TomTom Navigator");
  EXPECT_EQ(WindowClassPrefix(L"KW5"), "KW5#");
}

TEST(WindowName, EscapesWhatCouldLeaveTheDirectoryOrMoveTheSeparator) {
  EXPECT_EQ(EncodeWindowNamePart("a/b%c#d"), "a%2Fb%25c%23d");
  EXPECT_EQ(EncodeWindowNamePart("../x"), "..%2Fx");
  EXPECT_EQ(EncodeWindowNamePart(std::string("\x01\n\x1F\x7F", 4)), "%01%0A%1F%7F");
  // A class holding "#" cannot pass for a shorter class with a title.
  EXPECT_EQ(WindowSocketName(L"A#B", L""), "A%23B#");
  EXPECT_NE(WindowSocketName(L"A#B", L""), WindowSocketName(L"A", L"B"));
}

TEST(WindowName, KeepsUtf8BytesAsTheyAre) {
  EXPECT_EQ(WindowSocketName(L"K\u00fc", L"\u65e5 x"), "K\xC3\xBC#\xE6\x97\xA5 x");
}

TEST(MessageLine, RequestsTravelWithTheirFullRanges) {
  EXPECT_EQ(FormatRequest({WM_CLOSE, 0, 0}), "16 0 0\n");
  const MessageRequest extreme{std::numeric_limits<std::uint32_t>::max(),
                               std::numeric_limits<std::uintptr_t>::max(),
                               std::numeric_limits<std::intptr_t>::min()};
  std::string line = FormatRequest(extreme);
  line.pop_back();
  const auto parsed = ParseRequest(line);
  ASSERT_TRUE(parsed.has_value());
  EXPECT_EQ(parsed->id, extreme.id);
  EXPECT_EQ(parsed->wParam, extreme.wParam);
  EXPECT_EQ(parsed->lParam, extreme.lParam);
}

TEST(MessageLine, MalformedRequestsAreRefused) {
  for (const char* bad :
       {"", "16", "16 0", "16 0 0 0", "16  0 0", " 16 0 0", "16 0 0 ", "16 -1 0", "-16 0 0",
        "16 0 x", "16 0 +1", "4294967296 0 0", "16 0 99999999999999999999"}) {
    EXPECT_FALSE(ParseRequest(bad).has_value()) << '"' << bad << '"';
  }
}

TEST(MessageLine, ResultsMayBeNegative) {
  EXPECT_EQ(FormatResult(-42), "-42\n");
  EXPECT_EQ(ParseResult("-42"), std::intptr_t{-42});
  EXPECT_FALSE(ParseResult("").has_value());
  EXPECT_FALSE(ParseResult("7 8").has_value());
}

}  // namespace
}  // namespace nav::posix
