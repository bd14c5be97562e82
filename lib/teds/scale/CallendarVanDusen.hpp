#pragma once
// Platinum resistance thermometers by the Callendar-Van Dusen equation with
// the constants of IEC 60751, valid from -200 degC to 850 degC.

namespace teds::scale::cvd {

inline constexpr double kA = 3.9083e-3;
inline constexpr double kB = -5.775e-7;
inline constexpr double kC = -4.183e-12;
inline constexpr double kLowestC = -200.0;
inline constexpr double kHighestC = 850.0;

// R/R0 at `celsius`; NaN outside the equation's range.
double resistanceRatio(double celsius);
// degC for R/R0; NaN outside the ratios of the equation's range.
double temperature(double resistanceRatio);

}  // namespace teds::scale::cvd
