// The Sun's true longitude and distance from one analytical theory: the mean
// longitude plus a trigonometric series over integer combinations of the
// planets' mean anomalies, a long-period Venus term and four lunar rows; the
// distance from a parallel series in the decimal logarithm.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <utility>

#include "sun/angle_units.h"
#include "sun/series_tables.h"
#include "sun/sun_calculator.h"

namespace nav {

namespace sun_series {

double LongitudeSine[kLongitudeSineEntries];
double LongitudeCosine[kPlanetaryRows];
double LogDistanceSine[kPlanetaryRows];
double LogDistanceCosine[kLogDistanceCosineEntries];

}  // namespace sun_series

namespace {

using namespace sun_series;
using sun_units::kDegreesPerRadian;
using sun_units::kRadiansPerDegree;

// Julian centuries since 1900 January 0.5, the time variable of the
// time-dependent coefficients and of the Venus term.
double CenturiesSince1900(double t) { return (t + 36525.0) * 2.7378507871321012e-05; }

// Mean anomalies of the Earth and the four planets, in radians.
struct PlanetaryAnomalies {
  double earth;
  double venus;
  double mars;
  double jupiter;
  double saturn;
};

PlanetaryAnomalies FormPlanetaryAnomalies(const SunCalculator& sun, double t) {
  // A planet's anomaly is its mean longitude less its perihelion's, taken in
  // degrees before the conversion.
  return {
      sun.SunMeanAnomaly(t) * kRadiansPerDegree,
      (sun.VenusMeanLongitude(t) - sun.VenusPerihelionLongitude(t)) * kRadiansPerDegree,
      (sun.MarsMeanLongitude(t) - sun.MarsPerihelionLongitude(t)) * kRadiansPerDegree,
      (sun.JupiterMeanLongitude(t) - sun.JupiterPerihelionLongitude(t)) * kRadiansPerDegree,
      (sun.SaturnMeanLongitude(t) - sun.SaturnPerihelionLongitude(t)) * kRadiansPerDegree,
  };
}

// Lunar arguments l, F and D, in radians.
struct LunarArguments {
  double moonAnomaly;
  double moonLatitude;
  double moonElongation;
};

LunarArguments FormLunarArguments(const SunCalculator& sun, double t) {
  return {
      sun.MoonMeanAnomaly(t) * kRadiansPerDegree,
      sun.MoonArgumentOfLatitude(t) * kRadiansPerDegree,
      sun.MoonMeanElongation(t) * kRadiansPerDegree,
  };
}

// Row arguments are summed from Saturn down to the Earth (and from D down to
// l), and used as they come, without reduction to a range.
double LunarRowArgument(int row, double earthAnomaly, const LunarArguments& moon) {
  const double* m = LunarMultipliers[row];
  return ((m[3] * moon.moonElongation + m[2] * moon.moonLatitude) + m[1] * earthAnomaly) +
         m[0] * moon.moonAnomaly;
}

// A term whose coefficient is zero adds exactly nothing, so only the rows with
// a non-zero sine or cosine coefficient are evaluated, still in table order.
// The time-dependent entries have non-zero constant terms and so stay listed.
struct SeriesRow {
  int row = 0;
  bool sine = false;
  bool cosine = false;
};

struct SeriesRows {
  std::array<SeriesRow, kPlanetaryRows> rows{};
  std::size_t count = 0;
};

constexpr SeriesRows ListNonZeroRows(const double* sine, const double* cosine) {
  SeriesRows list;
  for (int i = 0; i < kPlanetaryRows; ++i) {
    const bool withSine = sine[i] != 0.0;
    const bool withCosine = cosine[i] != 0.0;
    if (withSine || withCosine) {
      list.rows[list.count++] = {i, withSine, withCosine};
    }
  }
  return list;
}

constexpr SeriesRows kLongitudeRows =
    ListNonZeroRows(kLongitudeSineConstants, kLongitudeCosineConstants);
constexpr SeriesRows kLogDistanceRows =
    ListNonZeroRows(kLogDistanceSineConstants, kLogDistanceCosineConstants);

// Adds one planetary row to s, its sine term before its cosine term. The row
// is known at compile time, so the series unrolls into straight-line code
// (the rounding of every operation stays as written).
template <SeriesRow kRow>
double AddPlanetaryRow(double s, const double* sine, const double* cosine,
                       const PlanetaryAnomalies& g) {
  constexpr const double* m = PlanetaryMultipliers[kRow.row];
  const double a =
      (((m[4] * g.saturn + m[3] * g.jupiter) + m[2] * g.mars) + m[1] * g.venus) + m[0] * g.earth;
  if constexpr (kRow.sine) {
    s = sine[kRow.row] * std::sin(a) + s;
  }
  if constexpr (kRow.cosine) {
    s = cosine[kRow.row] * std::cos(a) + s;
  }
  return s;
}

template <const SeriesRows& kRows, std::size_t... K>
double SumPlanetaryRows(const double* sine, const double* cosine, const PlanetaryAnomalies& g,
                        std::index_sequence<K...> /*rows*/) {
  double s = 0.0;
  ((s = AddPlanetaryRow<kRows.rows[K]>(s, sine, cosine, g)), ...);
  return s;
}

template <const SeriesRows& kRows>
double SumPlanetaryRows(const double* sine, const double* cosine, const PlanetaryAnomalies& g) {
  return SumPlanetaryRows<kRows>(sine, cosine, g, std::make_index_sequence<kRows.count>());
}

}  // namespace

void SunCalculator::ComputeSeriesCoefficients(double t) const {
  const double tc = CenturiesSince1900(t);

  std::copy(std::begin(kLongitudeSineConstants), std::end(kLongitudeSineConstants), LongitudeSine);
  std::copy(std::begin(kLongitudeCosineConstants), std::end(kLongitudeCosineConstants),
            LongitudeCosine);
  std::copy(std::begin(kLogDistanceSineConstants), std::end(kLogDistanceSineConstants),
            LogDistanceSine);
  std::copy(std::begin(kLogDistanceCosineConstants), std::end(kLogDistanceCosineConstants),
            LogDistanceCosine);

  LogDistanceCosine[0] = 3.057e-05 - (tc * 1.5e-07);
  LongitudeSine[1] = (0.033502 - tc * 8.358e-05) - (tc * tc) * 2.5e-07;
  LogDistanceCosine[1] = (tc * 5e-09 + 1.814e-05) * tc - 0.00727412;
  LongitudeSine[2] = 0.000351 - tc * 1.75e-06;
  LogDistanceCosine[2] = tc * 4.6e-07 - 9.138e-05;
  LogDistanceCosine[3] = tc * 1e-08 - 1.45e-06;
}

double SunCalculator::TrueLongitude(double t) const {
  const PlanetaryAnomalies g = FormPlanetaryAnomalies(*this, t);
  ComputeSeriesCoefficients(t);

  double s = SumPlanetaryRows<kLongitudeRows>(LongitudeSine, LongitudeCosine, g);

  // The long-period Venus term (thirteen Earth against eight Venus periods).
  const double venusArgument =
      ((13.0 * g.earth - 8.0 * g.venus) + (t + 36525.0) * 2.1503025325119783e-06) + 3.8990655;
  s = (7e-06 * std::sin(venusArgument) + 6e-06 * std::cos(venusArgument)) + s;

  const LunarArguments moon = FormLunarArguments(*this, t);
  for (int k = 0; k < kLunarRows; ++k) {
    s = LongitudeSine[kPlanetaryRows + k] * std::sin(LunarRowArgument(k, g.earth, moon)) + s;
  }

  return NormalizeDegrees(SunMeanLongitude(t) + s * kDegreesPerRadian);
}

double SunCalculator::RadiusVector(double t) const {
  const PlanetaryAnomalies g = FormPlanetaryAnomalies(*this, t);
  ComputeSeriesCoefficients(t);

  double s = SumPlanetaryRows<kLogDistanceRows>(LogDistanceSine, LogDistanceCosine, g);

  // Lunar rows with a zero log-distance coefficient add nothing.
  const LunarArguments moon = FormLunarArguments(*this, t);
  for (int k = 0; k < kLunarRows; ++k) {
    const double coefficient = LogDistanceCosine[kPlanetaryRows + k];
    if (coefficient != 0.0) {
      s = coefficient * std::cos(LunarRowArgument(k, g.earth, moon)) + s;
    }
  }

  return std::pow(10.0, s);
}

}  // namespace nav
