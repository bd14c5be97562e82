#pragma once
// The NIST ITS-90 thermocouple reference functions and their inverses, for
// the eight letter-designated types. Emf in mV, as NIST states them; the
// scale that uses them works in volts.

#include <array>
#include <cmath>
#include <cstddef>
#include <limits>

#include "teds_scale.hpp"

namespace teds::scale::nist {

// E in mV at `celsius`, the reference junction at 0 degC: the NIST ITS-90 reference function of
// the type (type K with its exponential term above 0 degC). NaN outside the function's range or for NaN.
double emfMillivolts(ThermocoupleType type, double celsius);
// degC for an emf in mV: NIST's inverse functions, the subrange chosen by the emf. Where two
// inverse ranges overlap (R and S), the one with the smaller published error band. NaN outside
// the inverse functions' range (type B below 0.291 mV; E, K, N, T below -200 degC, ...) or for NaN.
double temperatureCelsius(ThermocoupleType type, double millivolts);
// The temperature range of the reference function, degC; and the emf range of the inverse functions, mV.
ValueRange temperatureRange(ThermocoupleType type);
ValueRange emfRange(ThermocoupleType type);

// Type K's magnetic-ordering term above 0 degC: amplitude * exp(rate * (t - centre)^2).
struct Bump {
    double amplitude = 0.0;
    double rate = 0.0;
    double centre = 0.0;
};

// One piece of a function: c[0] + c[1] x + ... on [low, high], plus a bump
// where there is one. The coefficients are NIST's, digit for digit.
struct Subrange {
    static constexpr std::size_t kMaxTerms = 15;  // type T below 0 degC, degree 14

    double low;
    double high;
    std::size_t terms;
    std::array<double, kMaxTerms> c;
    Bump bump;

    template <std::size_t N>
    constexpr Subrange(double from, double to, const double (&coefficients)[N], Bump extra = {})
        : low(from), high(to), terms(N), c{}, bump(extra) {
        static_assert(N >= 1 && N <= kMaxTerms);
        for (std::size_t i = 0; i < N; ++i) c[i] = coefficients[i];
    }

    double at(double x) const {
        double sum = c[terms - 1];
        for (std::size_t i = terms - 1; i-- > 0;) sum = sum * x + c[i];
        if (bump.amplitude != 0.0) sum += bump.amplitude * std::exp(bump.rate * (x - bump.centre) * (x - bump.centre));
        return sum;
    }
};

// The inverse functions of one type, looked up once and applied to many
// samples. The piece is chosen by counting the ends below the emf rather
// than by branching, and every piece takes as many Horner steps as the
// type's longest (coefficients past a piece's own are zero), so that random
// readings cost no mispredicted branch.
class Inverse {
public:
    explicit Inverse(ThermocoupleType type);

    double operator()(double millivolts) const {
        std::size_t piece = 0;
        for (std::size_t i = 0; i + 1 < count_; ++i) piece += millivolts > pieces_[i].high ? 1 : 0;
        const double* c = pieces_[piece].c.data();
        double sum = c[terms_ - 1];
        for (std::size_t k = terms_ - 1; k-- > 0;) sum = sum * millivolts + c[k];
        return millivolts >= low_ && millivolts <= high_ ? sum : std::numeric_limits<double>::quiet_NaN();
    }
    ValueRange range() const { return {low_, high_}; }

private:
    const Subrange* pieces_ = nullptr;
    std::size_t count_ = 1;
    std::size_t terms_ = 1;
    double low_ = std::numeric_limits<double>::quiet_NaN();
    double high_ = std::numeric_limits<double>::quiet_NaN();
};

}  // namespace teds::scale::nist
