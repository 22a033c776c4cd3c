#pragma once

// The perturbation series of the Sun's longitude and distance: its constant
// tables and the process-wide coefficient columns. Internal to the sun
// library (its sources and its white-box tests include it, nothing else).

namespace nav::sun_series {

inline constexpr int kPlanetaryRows = 49;
inline constexpr int kLunarRows = 4;
inline constexpr int kLongitudeSineEntries = kPlanetaryRows + kLunarRows;
inline constexpr int kLogDistanceCosineEntries = kPlanetaryRows + kLunarRows;

// Multipliers of each planetary row's argument, columns Earth, Venus, Mars,
// Jupiter, Saturn (the mean anomalies gE, gV, gM, gJ, gS). Rows 45 to 48
// repeat the multipliers of rows 41 to 44 with coefficients of their own.
inline constexpr double PlanetaryMultipliers[kPlanetaryRows][5] = {
    {0.0, 0.0, 0.0, 0.0, 0.0},   // 0
    {1.0, 0.0, 0.0, 0.0, 0.0},   // 1
    {2.0, 0.0, 0.0, 0.0, 0.0},   // 2
    {3.0, 0.0, 0.0, 0.0, 0.0},   // 3
    {0.0, 1.0, 0.0, 0.0, 0.0},   // 4
    {1.0, -1.0, 0.0, 0.0, 0.0},  // 5
    {1.0, -2.0, 0.0, 0.0, 0.0},  // 6
    {2.0, -2.0, 0.0, 0.0, 0.0},  // 7
    {3.0, -2.0, 0.0, 0.0, 0.0},  // 8
    {3.0, -3.0, 0.0, 0.0, 0.0},  // 9
    {4.0, -3.0, 0.0, 0.0, 0.0},  // 10
    {5.0, -3.0, 0.0, 0.0, 0.0},  // 11
    {4.0, -4.0, 0.0, 0.0, 0.0},  // 12
    {5.0, -4.0, 0.0, 0.0, 0.0},  // 13
    {6.0, -4.0, 0.0, 0.0, 0.0},  // 14
    {5.0, -5.0, 0.0, 0.0, 0.0},  // 15
    {6.0, -6.0, 0.0, 0.0, 0.0},  // 16
    {7.0, -5.0, 0.0, 0.0, 0.0},  // 17
    {8.0, -5.0, 0.0, 0.0, 0.0},  // 18
    {1.0, 0.0, -1.0, 0.0, 0.0},  // 19
    {2.0, 0.0, -2.0, 0.0, 0.0},  // 20
    {1.0, 0.0, -2.0, 0.0, 0.0},  // 21
    {2.0, 0.0, -3.0, 0.0, 0.0},  // 22
    {2.0, 0.0, -4.0, 0.0, 0.0},  // 23
    {3.0, 0.0, -4.0, 0.0, 0.0},  // 24
    {3.0, 0.0, -5.0, 0.0, 0.0},  // 25
    {3.0, 0.0, -3.0, 0.0, 0.0},  // 26
    {4.0, 0.0, -3.0, 0.0, 0.0},  // 27
    {4.0, 0.0, -5.0, 0.0, 0.0},  // 28
    {0.0, 0.0, 0.0, 1.0, 0.0},   // 29
    {1.0, 0.0, 0.0, -3.0, 0.0},  // 30
    {1.0, 0.0, 0.0, -2.0, 0.0},  // 31
    {1.0, 0.0, 0.0, -1.0, 0.0},  // 32
    {1.0, 0.0, 0.0, 1.0, 0.0},   // 33
    {2.0, 0.0, 0.0, -4.0, 0.0},  // 34
    {2.0, 0.0, 0.0, -3.0, 0.0},  // 35
    {2.0, 0.0, 0.0, -2.0, 0.0},  // 36
    {2.0, 0.0, 0.0, -1.0, 0.0},  // 37
    {3.0, 0.0, 0.0, -4.0, 0.0},  // 38
    {3.0, 0.0, 0.0, -3.0, 0.0},  // 39
    {3.0, 0.0, 0.0, -2.0, 0.0},  // 40
    {0.0, 0.0, 0.0, 0.0, 1.0},   // 41
    {1.0, 0.0, 0.0, 0.0, -2.0},  // 42
    {1.0, 0.0, 0.0, 0.0, -1.0},  // 43
    {2.0, 0.0, 0.0, 0.0, -2.0},  // 44
    {0.0, 0.0, 0.0, 0.0, 1.0},   // 45
    {1.0, 0.0, 0.0, 0.0, -2.0},  // 46
    {1.0, 0.0, 0.0, 0.0, -1.0},  // 47
    {2.0, 0.0, 0.0, 0.0, -2.0},  // 48
};

// Multipliers of each lunar row's argument, columns l, gE, F, D.
inline constexpr double LunarMultipliers[kLunarRows][4] = {
    {0.0, 0.0, 0.0, 1.0},   // 0
    {1.0, 0.0, 0.0, 1.0},   // 1
    {1.0, 0.0, 0.0, -1.0},  // 2
    {0.0, 1.0, 0.0, -1.0},  // 3
};

// The constant contents of the four coefficient columns. A time-dependent
// entry holds the constant term of its polynomial here; the refresh then
// overwrites it with the polynomial's value.

// The longitude sine, radians; entries 49 to 52 are the lunar rows.
inline constexpr double kLongitudeSineConstants[kLongitudeSineEntries] = {
    0.0,     0.033502, 0.000351, 5e-06,  0.0,     -2e-05, 0.0,     // 0-6
    1.4e-05, -8e-06,   0.0,      -2e-06, -3e-06,  0.0,    0.0,     // 7-13
    0.0,     0.0,      0.0,      0.0,    0.0,     1e-06,  3e-06,   // 14-20
    3e-06,   1e-06,    1e-06,    -2e-06, -1e-06,  0.0,    0.0,     // 21-27
    0.0,     -1.3e-05, -1e-06,   -7e-06, 0.0,     0.0,    0.0,     // 28-34
    -3e-06,  -1.3e-05, 0.0,      0.0,    0.0,     0.0,    -2e-06,  // 35-41
    0.0,     -2e-06,   0.0,      0.0,    2.5e-05, 0.0,    0.0,     // 42-48
    3.1e-05, 1e-06,    2e-06,    -1e-06,                           // 49-52
};

// The longitude cosine, radians.
inline constexpr double kLongitudeCosineConstants[kPlanetaryRows] = {
    0.0,    0.0,    0.0,    0.0,    0.0,      1.1e-05, 0.0,     // 0-6
    9e-06,  -3e-06, 0.0,    7e-06,  4e-06,    -1e-06,  0.0,     // 7-13
    1e-06,  0.0,    0.0,    0.0,    1e-06,    -1e-06,  1e-05,   // 14-20
    -8e-06, 2e-06,  3e-06,  0.0,    0.0,      0.0,     0.0,     // 21-27
    0.0,    -1e-06, 0.0,    -3e-06, -3.5e-05, 0.0,     0.0,     // 28-34
    0.0,    0.0,    -1e-06, 0.0,    -1e-06,   0.0,     0.0,     // 35-41
    0.0,    0.0,    0.0,    0.0,    1.8e-05,  0.0,     -1e-06,  // 42-48
};

// The log-distance sine, decimal logarithm of AU.
inline constexpr double kLogDistanceSineConstants[kPlanetaryRows] = {
    0.0,       0.0,       0.0,       0.0,        0.0,        -1.146e-06, 1.36e-07,   // 0-6
    5.822e-06, -6.32e-07, 1.044e-06, -1.448e-06, 1.48e-07,   3.37e-07,   1.89e-07,   // 7-13
    -9.1e-08,  9.3e-08,   0.0,       1.36e-07,   0.0,        -1.19e-07,  1.976e-06,  // 14-20
    1.37e-07,  2.01e-07,  -9.6e-08,  -1.25e-07,  0.0,        0.0,        -9.4e-08,   // 21-27
    0.0,       -8.9e-08,  0.0,       -4.86e-07,  -7.067e-06, 0.0,        0.0,        // 28-34
    1.04e-07,  2.03e-07,  -1.93e-07, -7.3e-08,   -2.78e-07,  0.0,        0.0,        // 35-41
    0.0,       -7.9e-08,  0.0,       0.0,        0.0,        0.0,        0.0,        // 42-48
};

// The log-distance cosine, decimal logarithm of AU; entries 49 to 52
// are the lunar rows.
inline constexpr double kLogDistanceCosineConstants[kLogDistanceCosineEntries] = {
    3.057e-05, -0.00727412, -9.138e-05, -1.45e-06, 8.5e-08,  -2.062e-06, 8.4e-08,    // 0-6
    3.593e-06, -5.96e-07,   0.0,        -3.81e-07, 1.26e-07, -1.66e-07,  0.0,        // 7-13
    0.0,       -1.34e-07,   -8e-08,     0.0,       0.0,      -9.2e-08,   -5.73e-07,  // 14-20
    0.0,       -7.7e-08,    0.0,        4.61e-07,  8.7e-08,  -1.54e-07,  -1.02e-07,  // 21-27
    8.7e-08,   2.27e-07,    1.72e-07,   1.376e-06, 0.0,      7.9e-08,    1.1e-07,    // 28-34
    7.96e-07,  4.021e-06,   -7.8e-08,   0.0,       0.0,      1.02e-07,   0.0,        // 35-41
    -1.03e-07, 4.22e-07,    -1.52e-07,  9.1e-08,   0.0,      -9.1e-08,   0.0,        // 42-48
    1.336e-05, 0.0,         -1.33e-06,  0.0,                                         // 49-52
};

// The coefficient columns for the t of the latest refresh: one set for the
// whole process, rewritten by every longitude or distance evaluation.
extern double LongitudeSine[kLongitudeSineEntries];
extern double LongitudeCosine[kPlanetaryRows];
extern double LogDistanceSine[kPlanetaryRows];
extern double LogDistanceCosine[kLogDistanceCosineEntries];

}  // namespace nav::sun_series
