#include "rise_set.h"

#include <ctime>

#include "sun/sun_calculator.h"

namespace suntimes {

RiseSet ComputeRiseSetOn(const CalendarDate& date, double tz, double latitude, double longitude) {
  std::tm record{};
  record.tm_year = date.year - 1900;
  record.tm_mon = date.month - 1;
  record.tm_mday = date.day;
  RiseSet answer;
  const nav::SunCalculator sun;
  answer.rc = sun.ComputeRiseSet(record, tz, latitude, longitude, answer.rise, answer.set,
                                 answer.rawRise, answer.rawSet);
  return answer;
}

}  // namespace suntimes
