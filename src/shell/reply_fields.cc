#include "shell/reply_fields.h"

#include <climits>

#include "text/narrow_text.h"

namespace nav {
namespace {

bool IsCSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

long ParseLeadingLong(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && IsCSpace(text[pos])) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  // Accumulated towards the sign's side so that LONG_MIN itself fits.
  long value = 0;
  for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
    const long digit = text[pos] - '0';
    if (negative) {
      if (value < (LONG_MIN + digit) / 10) return LONG_MIN;
      value = value * 10 - digit;
    } else {
      if (value > (LONG_MAX - digit) / 10) return LONG_MAX;
      value = value * 10 + digit;
    }
  }
  return value;
}

long ReadLongField(const std::wstring& field) {
  return ParseLeadingLong(NarrowText(field).Bytes());
}

int ReadIntField(const std::wstring& field) {
  const long value = ReadLongField(field);
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

double FieldToDegrees(const std::wstring& field) {
  const long units = ReadLongField(field);
  if (units == 0) return 0.0;
  return static_cast<double>(units) * 1e-05;
}

}  // namespace nav
