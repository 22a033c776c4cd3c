#include "input_parsing.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <system_error>

namespace suntimes {

namespace {

// from_chars takes no leading plus; a signed offset such as "+5.5" is natural.
std::string_view WithoutPlus(std::string_view text) {
  if (text.size() > 1 && text.front() == '+' && text[1] != '-' && text[1] != '+') {
    text.remove_prefix(1);
  }
  return text;
}

bool AllDigits(std::string_view text) {
  for (const char c : text) {
    if (std::isdigit(static_cast<unsigned char>(c)) == 0) return false;
  }
  return !text.empty();
}

template <typename Number>
std::optional<Number> ParseWhole(std::string_view text) {
  text = WithoutPlus(text);
  Number value{};
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end) {
    return std::nullopt;
  }
  return value;
}

}  // namespace

std::optional<double> ParseDecimal(std::string_view text) {
  const std::optional<double> value = ParseWhole<double>(text);
  if (!value || !std::isfinite(*value)) {
    return std::nullopt;
  }
  return value;
}

std::optional<int> ParseInteger(std::string_view text) { return ParseWhole<int>(text); }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month != 2) {
    return kDays[month - 1];
  }
  const bool leap =
      year <= 1582 ? year % 4 == 0 : (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return leap ? 29 : 28;
}

std::string CheckDate(const CalendarDate& date) {
  if (date.year < kFirstYear || date.year > kLastYear) {
    return "year outside " + std::to_string(kFirstYear) + ".." + std::to_string(kLastYear);
  }
  if (date.month < 1 || date.month > 12) {
    return "month outside 1..12";
  }
  if (date.day < 1 || date.day > DaysInMonth(date.year, date.month)) {
    return "no such day in that month";
  }
  return {};
}

std::optional<CalendarDate> ParseIsoDate(std::string_view text) {
  const std::size_t yearEnd = text.find('-', 1);  // position 0 may be the year's sign
  if (yearEnd == std::string_view::npos) {
    return std::nullopt;
  }
  const std::size_t monthEnd = text.find('-', yearEnd + 1);
  if (monthEnd == std::string_view::npos) {
    return std::nullopt;
  }
  const std::string_view monthText = text.substr(yearEnd + 1, monthEnd - yearEnd - 1);
  const std::string_view dayText = text.substr(monthEnd + 1);
  const auto unsignedDigits = [](std::string_view part) {
    return !part.empty() && part.front() != '+' && part.front() != '-';
  };
  const std::string_view yearText = text.substr(0, yearEnd);
  const std::size_t signLength = yearText.front() == '-' || yearText.front() == '+' ? 1 : 0;
  if (yearText.size() - signLength < 4) return std::nullopt;
  const std::optional<int> year = ParseInteger(yearText);
  const std::optional<int> month =
      unsignedDigits(monthText) ? ParseInteger(monthText) : std::nullopt;
  const std::optional<int> day = unsignedDigits(dayText) ? ParseInteger(dayText) : std::nullopt;
  if (!year || !month || !day) {
    return std::nullopt;
  }
  return CalendarDate{*year, *month, *day};
}

std::optional<HoursAndMinutes> ParseHoursAndMinutes(std::string_view text) {
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  const std::string_view hours = text.substr(0, colon);
  const std::string_view minutes = text.substr(colon + 1);
  if (hours.size() > 2 || !AllDigits(hours) || minutes.size() != 2 || !AllDigits(minutes)) {
    return std::nullopt;
  }
  const HoursAndMinutes value{*ParseInteger(hours), *ParseInteger(minutes)};
  if (value.minutes > 59) return std::nullopt;
  return value;
}

std::optional<HoursAndMinutes> ParseClockTime(std::string_view text) {
  const std::optional<HoursAndMinutes> value = ParseHoursAndMinutes(text);
  if (!value || value->hours > 23) return std::nullopt;
  return value;
}

std::optional<double> ParseZoneOffset(std::string_view text) {
  const bool negative = text.starts_with('-');
  std::string_view magnitude = text;
  if (negative || text.starts_with('+')) magnitude.remove_prefix(1);
  std::optional<HoursAndMinutes> parts = ParseHoursAndMinutes(magnitude);
  // "+0530": four digits only with a sign, "0005" being 5 hours.
  if (!parts && magnitude.size() == 4 && magnitude.size() < text.size() && AllDigits(magnitude)) {
    parts =
        HoursAndMinutes{*ParseInteger(magnitude.substr(0, 2)), *ParseInteger(magnitude.substr(2))};
    if (parts->minutes > 59) return std::nullopt;
  }
  if (!parts) return ParseDecimal(text);
  const double hours = parts->hours + parts->minutes / 60.0;
  return negative ? -hours : hours;
}

std::optional<double> ParseCoordinate(std::string_view text, char positive, char negative) {
  if (text.empty() || std::isalpha(static_cast<unsigned char>(text.back())) == 0) {
    return ParseDecimal(text);
  }
  const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(text.back())));
  const std::string_view number = text.substr(0, text.size() - 1);
  if ((letter != positive && letter != negative) || number.empty() || number.front() == '-' ||
      number.front() == '+') {
    return std::nullopt;
  }
  const std::optional<double> degrees = ParseDecimal(number);
  if (!degrees) return std::nullopt;
  return letter == negative ? -*degrees : *degrees;
}

std::string CheckLatitude(double latitude) {
  // The navigator's latitude field 9000000 is 90.00000000000001 degrees once
  // scaled; the pole it means is welcome.
  constexpr double kNavigatorPole = 9000000 * 1e-05;
  return std::fabs(latitude) <= kNavigatorPole ? std::string() : "latitude outside -90..90";
}

std::string CheckLongitude(double longitude) {
  // Likewise the navigator's 18000000 is 180.00000000000003 degrees.
  constexpr double kNavigatorAntimeridian = 18000000 * 1e-05;
  return std::fabs(longitude) <= kNavigatorAntimeridian ? std::string()
                                                        : "longitude outside -180..180";
}

std::string CheckZoneOffset(double hours) {
  return std::fabs(hours) <= 24.0 ? std::string() : "time-zone offset outside -24..24 hours";
}

}  // namespace suntimes
