#include <cmath>

#include "sun/sun_calculator.h"

namespace nav {

double NormalizeDegrees(double x) {
  x = std::fmod(x, 360.0);
  if (x < 0.0) {
    x = x + 360.0;
  }
  return x;
}

}  // namespace nav
