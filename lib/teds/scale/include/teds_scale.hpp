#pragma once
// A channel's scaling: what turns the electrical value an instrument
// measures (volts, amperes, ohms, volts per volt) into the physical value
// the sensor senses, and back. A scale comes from a decoded template (see
// teds_api.hpp, Teds::scale) or is made directly from its constants.
//
// Units: electrical values in V, A, Ohm or V/V (a thermocouple's emf in
// volts, not millivolts); physical values in the template's unit,
// temperatures in degrees Celsius. A scale states both, so that nobody has
// to guess a factor of 1000.
//
// A value that cannot be converted gives NaN and says why; a scale never
// clamps, and extrapolates a straight line beyond its rated range as the
// line goes on (infinities included). Scales are values: copy them, share them between threads.
// The header compiles as C++17.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace teds::scale {

enum class ScaleKind : std::int32_t {
    Sensitivity = 1,   // physical = electrical / sensitivity
    TwoPoint = 2,      // the straight line through two (electrical, physical) points
    Thermocouple = 3,  // NIST ITS-90 reference functions, cold junction compensated
    Rtd = 4,           // Callendar-Van Dusen, IEC 60751 constants
    Thermistor = 5,    // Steinhart-Hart
};

// "sensitivity", "two-point", "thermocouple", "rtd", "thermistor".
std::string_view kindName(ScaleKind kind);

// In the order of the standard's thermocouple-type enumeration.
enum class ThermocoupleType : std::int32_t { B = 0, E, J, K, N, R, S, T };
inline constexpr std::string_view kThermocoupleLetters = "BEJKNRST";

// What the channel knows that the TEDS does not: each scale says which of
// them it needs, and ignores the others.
struct ChannelConditions {
    std::optional<double> coldJunctionC;  // a thermocouple's reference junction, degC
    std::optional<double> excitationV;    // the excitation a bridge is driven with, V
    std::optional<double> r0Ohm;          // an RTD's resistance at 0 degC, Ohm
};

// A number the scale computes with, as the scale describes itself.
struct ScaleConstant {
    std::string name;
    double value = 0.0;
    std::string unit;  // empty for a pure number
};

// Both ends are infinite for a side that has no bound.
struct ValueRange {
    double low = 0.0;
    double high = 0.0;
};

// A value, or NaN and the reason there is none.
struct Conversion {
    double value = 0.0;
    std::string refusal;  // empty when value is a number

    bool ok() const { return refusal.empty(); }
};

class Scale {
public:
    // physical = electrical / sensitivity, the sensitivity in input units
    // per output unit (V per m/s^2, say); none for a sensitivity that is 0
    // or not finite.
    static std::optional<Scale> sensitivity(double sensitivity, std::string inputUnit, std::string outputUnit);
    // The line through (electricalLow, physicalLow) and (electricalHigh,
    // physicalHigh); none when the two electrical or the two physical values
    // are equal, or a value is not finite.
    static std::optional<Scale> twoPoint(double electricalLow, double electricalHigh, double physicalLow,
                                         double physicalHigh, std::string inputUnit, std::string outputUnit);
    // Emf in V to degC, the reference junction at coldJunctionC: the emf of
    // the reference junction is added to the measured one before the inverse
    // function is applied. Without a cold-junction temperature every value
    // is refused, saying so.
    static Scale thermocouple(ThermocoupleType type, std::optional<double> coldJunctionC);
    // Resistance in Ohm to degC, with the IEC 60751 constants; none for an
    // R0 that is not a positive finite number.
    static std::optional<Scale> rtd(double r0Ohm);
    // Resistance in Ohm to degC: 1/T = A + B ln R + C (ln R)^3, T in kelvin.
    // None when C is not positive or a coefficient is not finite, since the
    // equation then has no inverse.
    static std::optional<Scale> thermistor(double a, double b, double c);

    ScaleKind kind() const { return kind_; }
    // What the physical value is: "acceleration", "temperature", ...; may be empty.
    const std::string& quantity() const { return quantity_; }
    const std::string& inputUnit() const { return inputUnit_; }
    const std::string& outputUnit() const { return outputUnit_; }
    // The electrical values toPhysical converts; infinite ends for a line.
    ValueRange validInput() const;
    const std::vector<ScaleConstant>& constants() const { return constants_; }
    // What the scale assumes that no source establishes, and what the
    // caller gave it; one sentence each.
    const std::vector<std::string>& notes() const { return notes_; }

    Conversion toPhysical(double electrical) const;
    Conversion toElectrical(double physical) const;

    // Many samples in one call, out[i] from in[i] for i below count, NaN for
    // each sample that cannot be converted (toPhysical of that one sample
    // says why). Returns how many gave a number. `in` and `out` may be the
    // same array. Allocates nothing.
    std::size_t toPhysical(const double* in, double* out, std::size_t count) const;
    std::size_t toPhysical(const float* in, float* out, std::size_t count) const;
    std::size_t toElectrical(const double* in, double* out, std::size_t count) const;
    std::size_t toElectrical(const float* in, float* out, std::size_t count) const;

    // What the template adds to a scale made from it: the quantity, and
    // constants and notes after the scale's own.
    Scale& describe(std::string quantity, std::vector<ScaleConstant> constants, std::vector<std::string> notes);
    // Volts in instead of volts per volt: a bridge driven with `volts`.
    // Nothing changes for a scale whose input is not V/V or for an
    // excitation that is not a positive finite number.
    Scale& drivenWith(double volts);

private:
    friend struct ScaleKernels;
    Scale() = default;

    ScaleKind kind_ = ScaleKind::Sensitivity;
    std::string quantity_;
    std::string inputUnit_;
    std::string outputUnit_;
    std::vector<ScaleConstant> constants_;
    std::vector<std::string> notes_;

    // physical = gain * electrical + offset for the straight lines.
    double gain_ = 1.0;
    double offset_ = 0.0;
    // Thermocouple: its type, and the reference junction's emf in mV.
    ThermocoupleType type_ = ThermocoupleType::K;
    std::optional<double> coldJunctionC_;
    double coldJunctionMv_ = 0.0;
    // RTD: R0; thermistor: A, B, C.
    double r0_ = 0.0;
    double a_ = 0.0;
    double b_ = 0.0;
    double c_ = 0.0;
};

// A scale, or the reason a template gives none.
struct ScaleFound {
    std::optional<Scale> scale;
    std::string reason;  // empty when there is a scale
};

}  // namespace teds::scale
