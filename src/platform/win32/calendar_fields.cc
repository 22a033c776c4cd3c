#include "platform/win32/calendar_fields.h"

namespace nav::win32 {
namespace {

// Days before each month of a common year.
constexpr int kDaysBeforeMonth[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

}  // namespace

std::tm CalendarFields(const SYSTEMTIME& time) {
  std::tm fields{};
  fields.tm_year = time.wYear - 1900;
  fields.tm_mon = time.wMonth - 1;
  fields.tm_mday = time.wDay;
  fields.tm_hour = time.wHour;
  fields.tm_min = time.wMinute;
  fields.tm_sec = time.wSecond;
  fields.tm_wday = time.wDayOfWeek;
  fields.tm_yday = kDaysBeforeMonth[fields.tm_mon] + time.wDay - 1 +
                   (fields.tm_mon > 1 && IsLeapYear(time.wYear) ? 1 : 0);
  fields.tm_isdst = -1;
  return fields;
}

}  // namespace nav::win32
