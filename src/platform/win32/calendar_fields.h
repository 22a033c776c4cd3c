#pragma once

#include <windows.h>

#include <ctime>

namespace nav::win32 {

// A SYSTEMTIME as the C library's calendar record: years from 1900, months
// from 0, the day of the year filled in. Whether daylight-saving time is in
// force is left open (-1): a SYSTEMTIME does not say.
std::tm CalendarFields(const SYSTEMTIME& time);

}  // namespace nav::win32
