#pragma once
// Thermistors by the Steinhart-Hart equation, 1/T = A + B ln R + C (ln R)^3,
// T in kelvin and R in ohm.

namespace teds::scale {

struct SteinhartHart {
    double a = 0.0;
    double b = 0.0;
    double c = 0.0;

    // With B and C positive, 1/T grows with R throughout, so every
    // resistance has one temperature and the other way round.
    bool invertible() const;
    // degC at `ohms`; NaN where the equation gives no positive temperature.
    double celsius(double ohms) const;
    // Ohm at `celsius`; NaN at or below absolute zero.
    double ohms(double celsius) const;
    // The resistance 1/T falls to 0 at: the lowest that has a temperature.
    double lowestOhms() const;
};

}  // namespace teds::scale
