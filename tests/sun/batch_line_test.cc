#include "batch_line.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "batch_mode.h"
#include "sun/sun_calculator.h"

namespace suntimes {
namespace {

// The answer line the ephemeris itself gives, with the outputs set to 0 first.
std::string Direct(int year, int month, int day, double tz, double latitude, double longitude) {
  std::tm record{};
  record.tm_year = year - 1900;
  record.tm_mon = month - 1;
  record.tm_mday = day;
  RiseSet answer;
  answer.rc = nav::SunCalculator().ComputeRiseSet(record, tz, latitude, longitude, answer.rise,
                                                  answer.set, answer.rawRise, answer.rawSet);
  char text[kMaxAnswerLength];
  return {text, FormatBatchAnswer(answer, text)};
}

std::string RunBatchOn(const std::string& input) {
  std::FILE* in = std::tmpfile();
  std::FILE* out = std::tmpfile();
  std::fputs(input.c_str(), in);
  std::rewind(in);
  RunBatch(in, out);
  std::rewind(out);
  std::string text;
  for (int c = std::fgetc(out); c != EOF; c = std::fgetc(out)) text.push_back(static_cast<char>(c));
  std::fclose(in);
  std::fclose(out);
  return text;
}

TEST(BatchLine, EveryValueTheDaemonCanPassIsAnsweredAsTheEphemerisComputesIt) {
  const double pole = 9000000 * 1e-05;  // the navigator's latitude field at a pole
  const double farEast = 18000000 * 1e-05;
  struct Case {
    const char* line;
    int year, month, day;
    double tz, latitude, longitude;
  };
  const std::vector<Case> cases = {
      {"2005 6 21 2 90.00000000000001 0", 2005, 6, 21, 2, pole, 0},
      {"2005 6 21 2 -90.00000000000001 0", 2005, 6, 21, 2, -pole, 0},
      {"2005 12 21 -1 90.00000000000001 180.00000000000003", 2005, 12, 21, -1, pole, farEast},
      {"2005 3 20 14 0 -180.00000000000003", 2005, 3, 20, 14, 0, -farEast},
      {"2005 6 21 -26.5 45 725.25", 2005, 6, 21, -26.5, 45, 725.25},
      {"+2005 +6 +21 +1 +52.37 +4.89", 2005, 6, 21, 1, 52.37, 4.89},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RunBatchOn(std::string(c.line) + "\n"),
              Direct(c.year, c.month, c.day, c.tz, c.latitude, c.longitude))
        << c.line;
  }
}

TEST(BatchLine, OnlyLinesThatAreNoSixFiniteNumbersOfARealDateAreRefused) {
  BatchLine line;
  for (const char* bad :
       {"", "2005 6 21 0 0", "2005 6 21 0 0 0 0", "2005 6 x 0 0 0", "2005 13 1 0 0 0",
        "2005 0 1 0 0 0", "2005 2 29 0 0 0", "2005 6 21 nan 0 0", "2005 6 21 0 inf 0",
        "2005 6 21 0 0 1e999", "2005.5 6 21 0 0 0"}) {
    EXPECT_NE(ParseBatchLine(bad, line), nullptr) << bad;
  }
  EXPECT_EQ(ParseBatchLine("2004 2 29 0 0 0", line), nullptr);
  EXPECT_EQ(ParseBatchLine(" 1500\t2 29 0 0 0\r", line), nullptr) << "Julian leap year";
}

TEST(BatchLine, AnswersReadBackToTheSameBitsAndLinesCutAcrossBlocksSurvive) {
  std::string input;
  std::string expected;
  for (int i = 0; i < 5000; ++i) {
    const double latitude = -89.0 + i * 0.0356;
    input += "2005 6 21 1 " + std::to_string(latitude) + " 4.89\n";
    expected += Direct(2005, 6, 21, 1, std::stod(std::to_string(latitude)), 4.89);
  }
  const std::string output = RunBatchOn(input.substr(0, input.size() - 1));  // no final '\n'
  EXPECT_EQ(output, expected);
  EXPECT_NE(RunBatchOn("2005 6 21 1 52.37 4.89\n").find(" 4.3876929340892055 "), std::string::npos);
}

}  // namespace
}  // namespace suntimes
