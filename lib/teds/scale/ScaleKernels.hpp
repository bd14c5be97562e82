#pragma once
// One sample through a scale, with nothing but arithmetic: the single
// conversions and the array loops share these, so both give the same bits.

#include <cmath>
#include <limits>

#include "teds/scale/CallendarVanDusen.hpp"
#include "teds/scale/SteinhartHart.hpp"
#include "teds/scale/ThermocoupleFunctions.hpp"
#include "teds_scale.hpp"

namespace teds::scale {

// A straight line, in the samples' own precision: single-precision streams
// convert four to a vector instead of two. Bound by memory.
struct Line {
    static constexpr bool kStraight = true;
    double gain = 1.0;
    double offset = 0.0;

    template <typename Sample>
    Sample operator()(Sample x) const {
        return static_cast<Sample>(gain) * x + static_cast<Sample>(offset);
    }
};

// A curve, in double precision whatever the samples are. Bound by arithmetic.
template <typename F>
struct Curve {
    static constexpr bool kStraight = false;
    F f;

    double operator()(double x) const { return f(x); }
};
template <typename F>
Curve(F) -> Curve<F>;

struct ScaleKernels {
    static SteinhartHart steinhartHart(const Scale& s) { return {s.a_, s.b_, s.c_}; }

    // Calls f(kernel) with the kernel of the scale's kind, so that a loop
    // over samples is written once and instantiated per kind. A missing cold
    // junction leaves coldJunctionMv_ NaN, which every sample then carries.
    // Always inlined, so that the loops land in each processor's build of
    // the array conversions.
    template <typename F>
    [[gnu::always_inline]] static auto withPhysical(const Scale& s, F&& f) {
        switch (s.kind_) {
        case ScaleKind::Thermocouple:
            return f(Curve{[inverse = nist::Inverse(s.type_), coldJunctionMv = s.coldJunctionMv_](double volts) {
                return inverse(volts * 1000.0 + coldJunctionMv);
            }});
        case ScaleKind::Rtd:
            return f(Curve{[perOhm = 1.0 / s.r0_](double ohms) { return cvd::temperature(ohms * perOhm); }});
        case ScaleKind::Thermistor: return f(Curve{[sh = steinhartHart(s)](double ohms) { return sh.celsius(ohms); }});
        default: return f(Line{s.gain_, s.offset_});
        }
    }
    template <typename F>
    [[gnu::always_inline]] static auto withElectrical(const Scale& s, F&& f) {
        switch (s.kind_) {
        case ScaleKind::Thermocouple:
            return f(Curve{[type = s.type_, coldJunctionMv = s.coldJunctionMv_](double celsius) {
                return (nist::emfMillivolts(type, celsius) - coldJunctionMv) / 1000.0;
            }});
        case ScaleKind::Rtd:
            return f(Curve{[r0 = s.r0_](double celsius) { return cvd::resistanceRatio(celsius) * r0; }});
        case ScaleKind::Thermistor: return f(Curve{[sh = steinhartHart(s)](double celsius) { return sh.ohms(celsius); }});
        default: return f(Line{1.0 / s.gain_, -s.offset_ / s.gain_});
        }
    }
};

}  // namespace teds::scale
