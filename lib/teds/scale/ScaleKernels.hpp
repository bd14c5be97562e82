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
    static double thermocouplePhysical(const Scale& s, double volts) {
        return nist::temperatureCelsius(s.type_, volts * 1000.0 + s.coldJunctionMv_);
    }
    static double thermocoupleElectrical(const Scale& s, double celsius) {
        return (nist::emfMillivolts(s.type_, celsius) - s.coldJunctionMv_) / 1000.0;
    }

    static double rtdPhysical(const Scale& s, double ohms) { return cvd::temperature(ohms / s.r0_); }
    static double rtdElectrical(const Scale& s, double celsius) { return cvd::resistanceRatio(celsius) * s.r0_; }

    static SteinhartHart steinhartHart(const Scale& s) { return {s.a_, s.b_, s.c_}; }

    // Calls f(kernel) with the kernel of the scale's kind, so that a loop
    // over samples is written once and instantiated per kind.
    template <typename F>
    static auto withPhysical(const Scale& s, F&& f) {
        switch (s.kind_) {
        case ScaleKind::Thermocouple: return f([&s](double x) { return thermocouplePhysical(s, x); });
        case ScaleKind::Rtd: return f([&s](double x) { return rtdPhysical(s, x); });
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
