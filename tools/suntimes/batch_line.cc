#include "batch_line.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace suntimes {
namespace {

constexpr std::string_view kBlanks = " \t\r";

// The next blank-separated field of `rest`, taken off its front.
std::string_view NextField(std::string_view& rest) {
  const std::size_t start = rest.find_first_not_of(kBlanks);
  if (start == std::string_view::npos) {
    rest = {};
    return {};
  }
  rest.remove_prefix(start);
  const std::size_t end = std::min(rest.find_first_of(kBlanks), rest.size());
  const std::string_view field = rest.substr(0, end);
  rest.remove_prefix(end);
  return field;
}

// A leading '+' is allowed as people write it; from_chars takes only '-'.
std::string_view WithoutPlus(std::string_view field) {
  if (field.size() > 1 && field[0] == '+' && field[1] != '-') field.remove_prefix(1);
  return field;
}

template <typename Number>
bool ReadWhole(std::string_view field, Number& value) {
  field = WithoutPlus(field);
  const char* end = field.data() + field.size();
  const auto [stop, error] = std::from_chars(field.data(), end, value);
  return error == std::errc{} && stop == end;
}

}  // namespace

const char* ParseBatchLine(std::string_view line, BatchLine& out) {
  std::string_view fields[6];
  for (std::string_view& field : fields) {
    field = NextField(line);
    if (field.empty()) return "expected 6 fields: YEAR MONTH DAY TZ LAT LON";
  }
  if (!NextField(line).empty()) return "expected 6 fields: YEAR MONTH DAY TZ LAT LON";

  CalendarDate& date = out.date;
  if (!ReadWhole(fields[0], date.year) || !ReadWhole(fields[1], date.month) ||
      !ReadWhole(fields[2], date.day)) {
    return "YEAR, MONTH and DAY must be whole numbers";
  }
  // The calendar record counts years from 1900 in an int.
  if (date.year < std::numeric_limits<int>::min() + 1900) return "YEAR before the calendar's range";
  if (date.month < 1 || date.month > 12) return "MONTH outside 1..12";
  if (date.day < 1 || date.day > DaysInMonth(date.year, date.month)) {
    return "no such day in that month";
  }
  if (!ReadWhole(fields[3], out.tz) || !ReadWhole(fields[4], out.latitude) ||
      !ReadWhole(fields[5], out.longitude)) {
    return "TZ, LAT and LON must be decimal numbers";
  }
  if (!std::isfinite(out.tz) || !std::isfinite(out.latitude) || !std::isfinite(out.longitude)) {
    return "TZ, LAT and LON must be finite";
  }
  return nullptr;
}

char* FormatBatchAnswer(const RiseSet& answer, char* out) {
  char* const end = out + kMaxAnswerLength;
  out = std::to_chars(out, end, answer.rc).ptr;
  for (const double value : {answer.rise, answer.set, answer.rawRise, answer.rawSet}) {
    *out++ = ' ';
    out = std::to_chars(out, end, value).ptr;
  }
  *out++ = '\n';
  return out;
}

}  // namespace suntimes
