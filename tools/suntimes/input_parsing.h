#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace suntimes {

// A calendar date as written: astronomical year (1 BC = 0), month 1 to 12.
struct CalendarDate {
  int year = 0;
  int month = 0;
  int day = 0;
};

// The years the solar ephemeris counts days for.
inline constexpr int kFirstYear = -4799;
inline constexpr int kLastYear = 100000;

// A finite decimal number ("52.37", "-4.5", "+5.5", "1e-3"); nothing else on the text.
std::optional<double> ParseDecimal(std::string_view text);
// A whole decimal number, optionally signed.
std::optional<int> ParseInteger(std::string_view text);

// Days of the month in the calendar the ephemeris reads the date in: Julian
// up to 1582, Gregorian after.
int DaysInMonth(int year, int month);

// Empty when the date exists; otherwise the reason it does not.
std::string CheckDate(const CalendarDate& date);

// "YYYY-MM-DD", the year optionally with a leading minus.
std::optional<CalendarDate> ParseIsoDate(std::string_view text);

// Empty when the values are usable; otherwise the reason they are not.
std::string CheckLatitude(double latitude);
std::string CheckLongitude(double longitude);
std::string CheckZoneOffset(double hours);

}  // namespace suntimes
