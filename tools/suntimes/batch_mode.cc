#include "batch_mode.h"

#include <cstdint>
#include <ctime>
#include <optional>
#include <vector>

#include "input_parsing.h"
#include "rise_set.h"

namespace suntimes {

namespace {

std::vector<std::string_view> SplitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t at = 0;
  while (true) {
    at = line.find_first_not_of(" \t\r", at);
    if (at == std::string_view::npos) {
      return fields;
    }
    const std::size_t end = line.find_first_of(" \t\r", at);
    fields.push_back(line.substr(at, end == std::string_view::npos ? end : end - at));
    at = end;
  }
}

std::string Error(std::string_view reason, bool& failed) {
  failed = true;
  return "ERROR " + std::string(reason);
}

// Every double printed so that it reads back to the same bits.
std::string FormatExact(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

}  // namespace

std::string AnswerBatchLine(std::string_view line, bool& failed) {
  const std::vector<std::string_view> fields = SplitFields(line);
  if (fields.size() != 6) {
    return Error("expected 6 fields: YEAR MONTH DAY TZ LAT LON", failed);
  }
  const std::optional<int> year = ParseInteger(fields[0]);
  const std::optional<int> month = ParseInteger(fields[1]);
  const std::optional<int> day = ParseInteger(fields[2]);
  if (!year || !month || !day) {
    return Error("YEAR, MONTH and DAY must be whole numbers", failed);
  }
  const CalendarDate date{*year, *month, *day};
  if (const std::string reason = CheckDate(date); !reason.empty()) {
    return Error(reason, failed);
  }
  const std::optional<double> tz = ParseDecimal(fields[3]);
  const std::optional<double> latitude = ParseDecimal(fields[4]);
  const std::optional<double> longitude = ParseDecimal(fields[5]);
  if (!tz || !latitude || !longitude) {
    return Error("TZ, LAT and LON must be decimal numbers", failed);
  }
  for (const std::string& reason :
       {CheckZoneOffset(*tz), CheckLatitude(*latitude), CheckLongitude(*longitude)}) {
    if (!reason.empty()) {
      return Error(reason, failed);
    }
  }

  const RiseSet answer = ComputeRiseSetOn(date, *tz, *latitude, *longitude);
  return std::to_string(answer.rc) + ' ' + FormatExact(answer.rise) + ' ' +
         FormatExact(answer.set) + ' ' + FormatExact(answer.rawRise) + ' ' +
         FormatExact(answer.rawSet);
}

int RunBatch(std::istream& in, std::FILE* out) {
  bool failed = false;
  std::string line;
  while (std::getline(in, line)) {
    const std::string answer = AnswerBatchLine(line, failed);
    std::fputs(answer.c_str(), out);
    std::fputc('\n', out);
  }
  return failed ? 1 : 0;
}

}  // namespace suntimes
