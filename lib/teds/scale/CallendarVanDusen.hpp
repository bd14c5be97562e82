#pragma once
// Platinum resistance thermometers by the Callendar-Van Dusen equation with
// the constants of IEC 60751, valid from -200 degC to 850 degC. Inline and
// free of branches on the value, so that loops over samples vectorise.

#include <cmath>
#include <limits>

namespace teds::scale::cvd {

inline constexpr double kA = 3.9083e-3;
inline constexpr double kB = -5.775e-7;
inline constexpr double kC = -4.183e-12;
inline constexpr double kLowestC = -200.0;
inline constexpr double kHighestC = 850.0;

// The equation itself, without the range check: R/R0 at t degC.
constexpr double ratioAt(double t) {
    const double c = t < 0.0 ? kC : 0.0;
    return 1.0 + t * (kA + kB * t) + c * (t - 100.0) * t * t * t;
}

inline constexpr double kLowestRatio = ratioAt(kLowestC);
inline constexpr double kHighestRatio = ratioAt(kHighestC);

// R/R0 at `celsius`; NaN outside the equation's range.
inline double resistanceRatio(double celsius) {
    const double ratio = ratioAt(celsius);
    return celsius >= kLowestC && celsius <= kHighestC ? ratio : std::numeric_limits<double>::quiet_NaN();
}

// degC for R/R0; NaN outside the ratios of the equation's range. Above
// 0 degC the equation is a quadratic and its root is the answer; below, the
// C term moves the root by at most 2.4 degC, and three Newton steps with the
// slope at the quadratic's root (the slope changes by 0.2 % over that
// distance) settle it to about 1e-8 degC at -200 degC. Above 0 degC the
// steps change nothing. One division per value: this runs per sample.
inline double temperature(double ratio) {
    constexpr double kHalfOverB = 0.5 / kB;
    double t = (std::sqrt(kA * kA - 4.0 * kB * (1.0 - ratio)) - kA) * kHalfOverB;
    const double c = ratio < 1.0 ? kC : 0.0;
    const double inverseSlope = 1.0 / (kA + 2.0 * kB * t + c * (4.0 * t - 300.0) * t * t);
    for (int step = 0; step < 3; ++step) t -= (1.0 + t * (kA + kB * t) + c * (t - 100.0) * t * t * t - ratio) * inverseSlope;
    return ratio >= kLowestRatio && ratio <= kHighestRatio ? t : std::numeric_limits<double>::quiet_NaN();
}

}  // namespace teds::scale::cvd
