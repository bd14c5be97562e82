#include "teds/scale/CallendarVanDusen.hpp"

#include <cmath>
#include <limits>

namespace teds::scale::cvd {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The equation itself, without the range check.
constexpr double ratioAt(double t) {
    double ratio = 1.0 + t * (kA + kB * t);
    if (t < 0.0) ratio += kC * (t - 100.0) * t * t * t;
    return ratio;
}

}  // namespace

double resistanceRatio(double celsius) {
    if (!(celsius >= kLowestC && celsius <= kHighestC)) return kNaN;
    return ratioAt(celsius);
}

double temperature(double ratio) {
    constexpr double lowest = ratioAt(kLowestC);
    constexpr double highest = ratioAt(kHighestC);
    if (!(ratio >= lowest && ratio <= highest)) return kNaN;
    // Above 0 degC the equation is a quadratic; below, its C term is small
    // enough that Newton's method from the quadratic's root settles in a few
    // steps (to well below a microkelvin at -200 degC).
    double t = (-kA + std::sqrt(kA * kA - 4.0 * kB * (1.0 - ratio))) / (2.0 * kB);
    if (ratio < 1.0) {
        for (int step = 0; step < 4; ++step) {
            const double slope = kA + 2.0 * kB * t + kC * (4.0 * t - 300.0) * t * t;
            t -= (ratioAt(t) - ratio) / slope;
        }
    }
    return t;
}

}  // namespace teds::scale::cvd
