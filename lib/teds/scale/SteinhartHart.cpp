#include "teds/scale/SteinhartHart.hpp"

#include <cmath>
#include <limits>

namespace teds::scale {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The resistance at which 1/T = inverseKelvin: the real root of the cubic
// in ln R, by Cardano's formula.
double ohmsAt(const SteinhartHart& sh, double inverseKelvin) {
    const double y = (sh.a - inverseKelvin) / sh.c;
    const double p = sh.b / (3.0 * sh.c);
    const double x = std::sqrt(p * p * p + y * y / 4.0);
    return std::exp(std::cbrt(x - y / 2.0) - std::cbrt(x + y / 2.0));
}

}  // namespace

bool SteinhartHart::invertible() const {
    return std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && b > 0.0 && c > 0.0;
}

double SteinhartHart::ohms(double t) const {
    if (!(t > -kZeroCelsius) || std::isinf(t)) return kNaN;
    return ohmsAt(*this, 1.0 / (t + kZeroCelsius));
}

double SteinhartHart::lowestOhms() const { return ohmsAt(*this, 0.0); }

}  // namespace teds::scale
