#include "shell/reply_fields.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

namespace nav {
namespace {

TEST(FieldToDegrees, ReadsHundredThousandthsOfADegreeWithTheirSign) {
  EXPECT_DOUBLE_EQ(FieldToDegrees(L"1141234"), 11.41234);
  EXPECT_DOUBLE_EQ(FieldToDegrees(L"4812345"), 48.12345);
  EXPECT_DOUBLE_EQ(FieldToDegrees(L"-7400600"), -74.006);
  EXPECT_DOUBLE_EQ(FieldToDegrees(L"+1"), 1e-05);
  // Multiplied by the constant, not divided: the two differ in the last bit.
  EXPECT_EQ(FieldToDegrees(L"489000"), 489000.0 * 1e-05);
}

TEST(FieldToDegrees, ReadsTheLeadingNumberLikeAtol) {
  EXPECT_DOUBLE_EQ(FieldToDegrees(L" \t 489000"), 4.89);
  EXPECT_DOUBLE_EQ(FieldToDegrees(L"489000abc"), 4.89);
  EXPECT_DOUBLE_EQ(FieldToDegrees(L"-489000.5"), -4.89);
  EXPECT_EQ(FieldToDegrees(L"abc"), 0.0);
  EXPECT_EQ(FieldToDegrees(L""), 0.0);
  EXPECT_EQ(FieldToDegrees(L"- 5"), 0.0);
  EXPECT_EQ(FieldToDegrees(L"0"), 0.0);
  EXPECT_FALSE(std::signbit(FieldToDegrees(L"-0")));
}

TEST(FieldToDegrees, ANumberBeyondTheRangeReadsAsTheNearestInRange) {
  EXPECT_EQ(ReadLongField(L"99999999999999999999999"), LONG_MAX);
  EXPECT_EQ(ReadLongField(L"-99999999999999999999999"), LONG_MIN);
  EXPECT_EQ(ReadLongField(std::to_wstring(LONG_MAX)), LONG_MAX);
  EXPECT_EQ(ReadLongField(std::to_wstring(LONG_MIN)), LONG_MIN);
  EXPECT_EQ(FieldToDegrees(L"99999999999999999999999"), static_cast<double>(LONG_MAX) * 1e-05);
}

TEST(StatusFields, AnIntegerFieldBeyondTheRangeNeverReadsAsASmallNumber) {
  // Taking the low bits of 2^32 would give 0, a good status.
  EXPECT_EQ(ReadIntField(L"4294967296"), INT_MAX);
  EXPECT_EQ(ReadIntField(L"-4294967297"), INT_MIN);
  EXPECT_EQ(ReadIntField(L"  -12ab"), -12);
}

TEST(StatusFields, CharactersOutsideTheCodePageEndTheNumber) {
  EXPECT_EQ(ReadIntField(L"12\u4e003"), 12);
  EXPECT_EQ(ReadIntField(L"\u3000"
                         L"5"),
            0);  // only the C locale's blanks are skipped
}

}  // namespace
}  // namespace nav
