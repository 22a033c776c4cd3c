#pragma once

#include <ctime>

#include "input_parsing.h"

namespace suntimes {

// The C library's calendar record of a date at midnight, the form the
// ephemeris and mktime read: years counted from 1900, months from 0.
inline std::tm CalendarRecordOf(const CalendarDate& date) {
  std::tm record{};
  record.tm_year = date.year - 1900;
  record.tm_mon = date.month - 1;
  record.tm_mday = date.day;
  return record;
}

}  // namespace suntimes
