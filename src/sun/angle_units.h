#pragma once

// Unit factors shared by the sun library's sources. Internal to the library.
namespace nav::sun_units {

// Degrees to radians and back, as the literals the solar theory is written with.
inline constexpr double kRadiansPerDegree = 0.017453292519943295;
inline constexpr double kDegreesPerRadian = 57.29577951308232;

// Divisions by a constant are multiplications by the nearest double of the
// reciprocal; IEEE division rounds correctly, so these constants are exactly that.
inline constexpr double kPerArcsecondDegrees = 1.0 / 3600.0;
inline constexpr double kPerJulianCentury = 1.0 / 36525.0;

}  // namespace nav::sun_units
