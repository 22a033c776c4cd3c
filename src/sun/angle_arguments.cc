// The fourteen slowly varying angles of the solar theory: polynomials in
// Julian centuries since J2000.0, in arcseconds, returned in degrees.

#include "sun/angle_units.h"
#include "sun/sun_calculator.h"

namespace nav {

namespace {

using sun_units::kPerArcsecondDegrees;
using sun_units::kPerJulianCentury;

double Centuries(double t) { return t * kPerJulianCentury; }

double ArcsecondsToNormalizedDegrees(double arcseconds) {
  return NormalizeDegrees(arcseconds * kPerArcsecondDegrees);
}

// The three groupings the polynomials are evaluated in. Each keeps its own
// order of operations, which decides the last bits of the result.

// ((c3 T + c2) T + c1) T + c0
double Nested(double t, double c0, double c1, double c2, double c3) {
  const double tc = Centuries(t);
  return ArcsecondsToNormalizedDegrees(((c3 * tc + c2) * tc + c1) * tc + c0);
}

// (c2 T + c1) T + c0, for the angles without a cubic term.
double Nested(double t, double c0, double c1, double c2) {
  const double tc = Centuries(t);
  return ArcsecondsToNormalizedDegrees((c2 * tc + c1) * tc + c0);
}

// ((c0 + c1 T) + c2 T^2) + c3 T^3
double Powers(double t, double c0, double c1, double c2, double c3) {
  const double tc = Centuries(t);
  const double tc2 = tc * tc;
  const double tc3 = tc2 * tc;
  return ArcsecondsToNormalizedDegrees(((c0 + c1 * tc) + c2 * tc2) + c3 * tc3);
}

// ((c2 T + c1) T + c0) + c3 T^3
double NestedPlusCube(double t, double c0, double c1, double c2, double c3) {
  const double tc = Centuries(t);
  const double tc3 = (tc * tc) * tc;
  return ArcsecondsToNormalizedDegrees(((c2 * tc + c1) * tc + c0) + c3 * tc3);
}

}  // namespace

double SunCalculator::MeanObliquity(double t) const {
  return Powers(t, 84381.448, -46.815, -0.00059, 0.001813);
}

double SunCalculator::MoonMeanAnomaly(double t) const {
  return Nested(t, 485866.733, 1717915922.633, 31.31, 0.064);
}

double SunCalculator::SunMeanAnomaly(double t) const {
  return Powers(t, 1287099.804, 129596581.224, -0.577, -0.012);
}

double SunCalculator::VenusMeanLongitude(double t) const {
  return Nested(t, 655127.283, 210669166.909, 1.1182, 0.0001);
}

double SunCalculator::VenusPerihelionLongitude(double t) const {
  return Powers(t, 473629.346, 5047.994, -3.8618, -0.0189);
}

double SunCalculator::MarsMeanLongitude(double t) const {
  return Nested(t, 1279559.789, 68910107.309, 1.1195, 0.0001);
}

double SunCalculator::MarsPerihelionLongitude(double t) const {
  return Nested(t, 1209816.842, 6627.759, 0.4864, 0.001);
}

double SunCalculator::JupiterMeanLongitude(double t) const {
  return Nested(t, 123665.342, 10930690.04, 0.8055, 0.0001);
}

double SunCalculator::JupiterPerihelionLongitude(double t) const {
  return NestedPlusCube(t, 51592.713, 5805.497, 3.7132, -0.0159);
}

double SunCalculator::SaturnMeanLongitude(double t) const {
  return Nested(t, 180278.897, 4404639.651, 1.8703);
}

double SunCalculator::SaturnPerihelionLongitude(double t) const {
  return Nested(t, 335004.434, 7069.538, 3.015, 0.0181);
}

double SunCalculator::MoonArgumentOfLatitude(double t) const {
  return Powers(t, 335778.877, 1739527263.137, -13.257, 0.011);
}

double SunCalculator::MoonMeanElongation(double t) const {
  return Powers(t, 1072261.307, 1602961601.328, -6.891, 0.019);
}

double SunCalculator::SunMeanLongitude(double t) const {
  return Nested(t, 1009667.85, 129602771.27, 1.089);
}

}  // namespace nav
