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

struct ScaleKernels {
    static constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();


    // A missing cold junction leaves coldJunctionMv_ NaN, which every sample carries.
    static double thermocoupleElectrical(const Scale& s, double celsius) {
        return (nist::emfMillivolts(s.type_, celsius) - s.coldJunctionMv_) / 1000.0;
    }

    static double rtdElectrical(const Scale& s, double celsius) { return cvd::resistanceRatio(celsius) * s.r0_; }

    static SteinhartHart steinhartHart(const Scale& s) { return {s.a_, s.b_, s.c_}; }

    // Calls f(kernel) with the kernel of the scale's kind, so that a loop
    // over samples is written once and instantiated per kind.
    template <typename F>
    static auto withPhysical(const Scale& s, F&& f) {
        switch (s.kind_) {
        case ScaleKind::Thermocouple:
            return f([inverse = nist::Inverse(s.type_), coldJunctionMv = s.coldJunctionMv_](double volts) {
                return inverse(volts * 1000.0 + coldJunctionMv);
            });
        case ScaleKind::Rtd: return f([perOhm = 1.0 / s.r0_](double ohms) { return cvd::temperature(ohms * perOhm); });
        case ScaleKind::Thermistor: return f([sh = steinhartHart(s)](double x) { return sh.celsius(x); });
        // In the samples' own precision: single-precision streams convert
        // four to a vector instead of two.
        default:
            return f([gain = s.gain_, offset = s.offset_](auto x) {
                using Sample = decltype(x);
                return static_cast<Sample>(gain) * x + static_cast<Sample>(offset);
            });
        }
    }
    template <typename F>
    static auto withElectrical(const Scale& s, F&& f) {
        switch (s.kind_) {
        case ScaleKind::Thermocouple: return f([&s](double y) { return thermocoupleElectrical(s, y); });
        case ScaleKind::Rtd: return f([&s](double y) { return rtdElectrical(s, y); });
        case ScaleKind::Thermistor: return f([sh = steinhartHart(s)](double y) { return sh.ohms(y); });
        default:
            return f([gain = s.gain_, offset = s.offset_](auto y) {
                using Sample = decltype(y);
                return (y - static_cast<Sample>(offset)) / static_cast<Sample>(gain);
            });
        }
    }
};

}  // namespace teds::scale
