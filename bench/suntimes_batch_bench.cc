// The whole suntimes --batch path in memory (reading a line, asking the
// ephemeris, writing the answer) against the bare ephemeris on the same
// places: the difference is what reading and printing cost.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

#include "batch_line.h"
#include "rise_set.h"
#include "sun/sun_calculator.h"

namespace {

// The lines of the file named by NAV_BATCH_LINES (so that a whole-process run
// and this benchmark can work on the same places), else a fixed set.
std::vector<std::string> Lines() {
  std::vector<std::string> lines;
  if (const char* file = std::getenv("NAV_BATCH_LINES")) {
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    if (!lines.empty()) return lines;
  }
  for (int i = 0; i < 64; ++i) {
    lines.push_back(std::to_string(1990 + i % 40) + ' ' + std::to_string(1 + i % 12) + ' ' +
                    std::to_string(1 + (i * 7) % 28) + ' ' + std::to_string(i % 25 - 12) + ' ' +
                    std::to_string(-60.0 + (i * 37) % 120 + 0.123456) + ' ' +
                    std::to_string(-180.0 + (i * 53) % 360 + 0.654321));
  }
  return lines;
}

void BM_BatchLine(benchmark::State& state) {
  const std::vector<std::string> lines = Lines();
  char answer[suntimes::kMaxAnswerLength];
  std::size_t next = 0;
  for (auto _ : state) {
    suntimes::BatchLine line;
    if (suntimes::ParseBatchLine(lines[next++ % lines.size()], line) != nullptr) {
      state.SkipWithError("unreadable line");
      break;
    }
    const suntimes::RiseSet result =
        suntimes::ComputeRiseSetOn(line.date, line.tz, line.latitude, line.longitude);
    benchmark::DoNotOptimize(suntimes::FormatBatchAnswer(result, answer));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_BatchLine);

void BM_BareComputeRiseSet(benchmark::State& state) {
  std::vector<suntimes::BatchLine> parsed;
  for (const std::string& text : Lines()) {
    suntimes::BatchLine line;
    suntimes::ParseBatchLine(text, line);
    parsed.push_back(line);
  }
  const nav::SunCalculator sun;
  std::size_t next = 0;
  for (auto _ : state) {
    const suntimes::BatchLine& p = parsed[next++ % parsed.size()];
    std::tm record{};
    record.tm_year = p.date.year - 1900;
    record.tm_mon = p.date.month - 1;
    record.tm_mday = p.date.day;
    double rise = 0.0, set = 0.0, rawRise = 0.0, rawSet = 0.0;
    benchmark::DoNotOptimize(
        sun.ComputeRiseSet(record, p.tz, p.latitude, p.longitude, rise, set, rawRise, rawSet));
    benchmark::DoNotOptimize(rawRise);
    benchmark::DoNotOptimize(rawSet);
  }
}
BENCHMARK(BM_BareComputeRiseSet);

}  // namespace

BENCHMARK_MAIN();
