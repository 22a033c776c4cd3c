// ComputeRiseSet against a floor: a loop making as many libm sine and cosine
// calls as one computation makes after skipping the zero-coefficient terms.

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <ctime>
#include <vector>

#include "sun/series_tables.h"
#include "sun/sun_calculator.h"

namespace {

using namespace nav::sun_series;

int CountNonZero(const double* column, int entries) {
  int count = 0;
  for (int i = 0; i < entries; ++i) {
    count += column[i] != 0.0 ? 1 : 0;
  }
  return count;
}

// The sine and cosine calls of one ComputeRiseSet: the non-zero series terms
// of the longitude (with the Venus term) and of the distance, less the one
// distance cosine whose argument repeats an earlier row's; six for the change
// to equatorial coordinates and five for the hour angle.
int SineCosineCallsPerComputation() {
  const int longitude = CountNonZero(kLongitudeSineConstants, kLongitudeSineEntries) +
                        CountNonZero(kLongitudeCosineConstants, kPlanetaryRows) + 2;
  const int distance = CountNonZero(kLogDistanceSineConstants, kPlanetaryRows) +
                       CountNonZero(kLogDistanceCosineConstants, kLogDistanceCosineEntries) - 1;
  return longitude + distance + 6 + 5;
}

struct Place {
  int year, month, day;
  double tz, latitude, longitude;
};

std::vector<Place> Places() {
  std::vector<Place> places;
  for (int i = 0; i < 64; ++i) {
    places.push_back({1990 + i % 40, 1 + i % 12, 1 + (i * 7) % 28, static_cast<double>(i % 25 - 12),
                      -60.0 + (i * 37) % 120, -180.0 + (i * 53) % 360});
  }
  return places;
}

void BM_ComputeRiseSet(benchmark::State& state) {
  const nav::SunCalculator sun;
  const std::vector<Place> places = Places();
  std::size_t next = 0;
  for (auto _ : state) {
    const Place& p = places[next++ % places.size()];
    std::tm record{};
    record.tm_year = p.year - 1900;
    record.tm_mon = p.month - 1;
    record.tm_mday = p.day;
    double rise = 0.0, set = 0.0, rawRise = 0.0, rawSet = 0.0;
    benchmark::DoNotOptimize(
        sun.ComputeRiseSet(record, p.tz, p.latitude, p.longitude, rise, set, rawRise, rawSet));
    benchmark::DoNotOptimize(rawRise);
    benchmark::DoNotOptimize(rawSet);
  }
  state.counters["sincos_calls"] = SineCosineCallsPerComputation();
}
BENCHMARK(BM_ComputeRiseSet);

void BM_SineCosineFloor(benchmark::State& state) {
  const int calls = SineCosineCallsPerComputation();
  // Arguments of the sizes the series sees: row arguments reach tens of radians.
  std::vector<double> arguments;
  for (int i = 0; i < calls; ++i) {
    arguments.push_back(0.37 + std::fmod(1.618 * i, 80.0));
  }
  double shift = 0.0;
  for (auto _ : state) {
    double sum = 0.0;
    for (int i = 0; i < calls; ++i) {
      const double x = arguments[static_cast<std::size_t>(i)] + shift;
      sum += (i % 2 == 0) ? std::sin(x) : std::cos(x);
    }
    benchmark::DoNotOptimize(sum);
    shift = shift < 1.0 ? shift + 1e-3 : 0.0;
  }
  state.counters["sincos_calls"] = calls;
}
BENCHMARK(BM_SineCosineFloor);

}  // namespace

BENCHMARK_MAIN();
