#include "rise_set.h"

#include <ctime>

#include "calendar_record.h"
#include "sun/sun_calculator.h"

namespace suntimes {

RiseSet ComputeRiseSetOn(const CalendarDate& date, double tz, double latitude, double longitude) {
  std::tm record = CalendarRecordOf(date);
  RiseSet answer;
  const nav::SunCalculator sun;
  answer.rc = sun.ComputeRiseSet(record, tz, latitude, longitude, answer.rise, answer.set,
                                 answer.rawRise, answer.rawSet);
  return answer;
}

}  // namespace suntimes
