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

// "YYYY-MM-DD", the year in at least four digits, optionally with a leading
// minus ("0024-02-03"; "24-02-03" is refused rather than read as the year 24).
std::optional<CalendarDate> ParseIsoDate(std::string_view text);

// Hours and minutes of "H:MM" or "HH:MM", the minutes 00 to 59.
struct HoursAndMinutes {
  int hours = 0;
  int minutes = 0;
};
std::optional<HoursAndMinutes> ParseHoursAndMinutes(std::string_view text);

// A local clock time "HH:MM", 00:00 to 23:59.
std::optional<HoursAndMinutes> ParseClockTime(std::string_view text);

// An offset from UT in hours: decimal hours ("5.5", "-3"), or hours and
// minutes as zone tables write them ("+05:30", "-03:30", "+0530").
std::optional<double> ParseZoneOffset(std::string_view text);

// Degrees as people write a coordinate: a decimal number, north or east
// positive ("-33.87"), or an unsigned one followed by its hemisphere's letter
// in either case ("33.87S", "151.21e"). `positive` and `negative` are the
// upper-case letters of the two hemispheres.
std::optional<double> ParseCoordinate(std::string_view text, char positive, char negative);

// Empty when the values are usable; otherwise the reason they are not.
std::string CheckLatitude(double latitude);
std::string CheckLongitude(double longitude);
std::string CheckZoneOffset(double hours);

}  // namespace suntimes
