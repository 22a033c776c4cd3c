#include <cmath>

#include "sun/sun_calculator.h"

namespace nav {

namespace {

// fmod(x, 360), which is exact, computed without the library's bit-by-bit
// loop. q = trunc(x / 360) is the true quotient or one off it; q * 360 is
// exact below the limit, so x - q * 360 is the exact remainder when q is
// right, and its sign or size shows when q is one off. Same bits as fmod.
double RemainderOf360(double x) {
  constexpr double kExactProductLimit = 1.0e15;  // q * 360 stays below 2^53
  if (!(std::fabs(x) < kExactProductLimit)) {
    return std::fmod(x, 360.0);  // huge, infinite or NaN
  }
  if (std::fabs(x) < 360.0) {
    return x;
  }
  double q = std::trunc(x / 360.0);
  double r = x - q * 360.0;
  if (x > 0.0) {
    if (r < 0.0) {
      q = q - 1.0;
    } else if (r >= 360.0) {
      q = q + 1.0;
    }
  } else {
    if (r > 0.0) {
      q = q + 1.0;
    } else if (r <= -360.0) {
      q = q - 1.0;
    }
  }
  r = x - q * 360.0;
  return r == 0.0 ? std::copysign(0.0, x) : r;  // a zero remainder keeps x's sign
}

}  // namespace

double NormalizeDegrees(double x) {
  x = RemainderOf360(x);
  if (x < 0.0) {
    x = x + 360.0;
  }
  return x;
}

}  // namespace nav
