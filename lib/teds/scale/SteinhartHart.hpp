#pragma once
// Thermistors by the Steinhart-Hart equation, 1/T = A + B ln R + C (ln R)^3,
// T in kelvin and R in ohm.

#include <cmath>
#include <limits>

namespace teds::scale {

inline constexpr double kZeroCelsius = 273.15;  // in kelvin

struct SteinhartHart {
    double a = 0.0;
    double b = 0.0;
    double c = 0.0;

    // With B and C positive, 1/T grows with R throughout, so every
    // resistance has one temperature and the other way round.
    bool invertible() const;
    // degC at `ohms`; NaN where the equation gives no positive temperature.
    // Inline: it runs per sample.
    double celsius(double ohms) const {
        const double l = std::log(ohms);
        const double inverseKelvin = a + l * (b + c * l * l);
        const bool valid = ohms > 0.0 && inverseKelvin > 0.0 && !std::isinf(ohms);
        return valid ? 1.0 / inverseKelvin - kZeroCelsius : std::numeric_limits<double>::quiet_NaN();
    }
    // Ohm at `celsius`; NaN at or below absolute zero.
    double ohms(double celsius) const;
    // The resistance 1/T falls to 0 at: the lowest that has a temperature.
    double lowestOhms() const;
};

}  // namespace teds::scale
