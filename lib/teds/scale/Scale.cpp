#include <cmath>
#include <limits>

#include "teds/scale/NumberText.hpp"
#include "teds/scale/ScaleKernels.hpp"

namespace teds::scale {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::string quantityText(double value, const std::string& unit) {
    return unit.empty() ? numberText(value) : numberText(value) + " " + unit;
}

std::string rangeText(ValueRange range, const std::string& unit) {
    return numberText(range.low) + " to " + quantityText(range.high, unit);
}

std::string typeText(ThermocoupleType type) {
    return std::string("type ") + kThermocoupleLetters[static_cast<std::size_t>(type)];
}

Conversion noColdJunction(ThermocoupleType type) {
    return {kNaN, "a " + typeText(type) + " thermocouple needs the cold-junction temperature"};
}

std::string perUnit(const std::string& input, const std::string& output) {
    const bool compound = output.find_first_of("/*") != std::string::npos;
    return input + "/" + (compound ? "(" + output + ")" : output);
}

bool finite(std::initializer_list<double> values) {
    for (double v : values)
        if (!std::isfinite(v)) return false;
    return true;
}

}  // namespace

std::string_view kindName(ScaleKind kind) {
    switch (kind) {
    case ScaleKind::Sensitivity: return "sensitivity";
    case ScaleKind::TwoPoint: return "two-point";
    case ScaleKind::Thermocouple: return "thermocouple";
    case ScaleKind::Rtd: return "rtd";
    case ScaleKind::Thermistor: return "thermistor";
    }
    return "unknown";
}

std::optional<Scale> Scale::sensitivity(double sensitivity, std::string inputUnit, std::string outputUnit) {
    if (!finite({sensitivity}) || sensitivity == 0.0) return std::nullopt;
    Scale s;
    s.kind_ = ScaleKind::Sensitivity;
    s.gain_ = 1.0 / sensitivity;
    s.constants_.push_back({"sensitivity", sensitivity, perUnit(inputUnit, outputUnit)});
    s.inputUnit_ = std::move(inputUnit);
    s.outputUnit_ = std::move(outputUnit);
    return s;
}

std::optional<Scale> Scale::twoPoint(double electricalLow, double electricalHigh, double physicalLow,
                                     double physicalHigh, std::string inputUnit, std::string outputUnit) {
    if (!finite({electricalLow, electricalHigh, physicalLow, physicalHigh}) || electricalLow == electricalHigh ||
        physicalLow == physicalHigh)
        return std::nullopt;
    Scale s;
    s.kind_ = ScaleKind::TwoPoint;
    s.gain_ = (physicalHigh - physicalLow) / (electricalHigh - electricalLow);
    s.offset_ = physicalLow - electricalLow * s.gain_;
    s.constants_ = {{"electrical low", electricalLow, inputUnit},
                    {"electrical high", electricalHigh, inputUnit},
                    {"physical low", physicalLow, outputUnit},
                    {"physical high", physicalHigh, outputUnit}};
    s.inputUnit_ = std::move(inputUnit);
    s.outputUnit_ = std::move(outputUnit);
    return s;
}

Scale Scale::thermocouple(ThermocoupleType type, std::optional<double> coldJunctionC) {
    Scale s;
    s.kind_ = ScaleKind::Thermocouple;
    s.quantity_ = "temperature";
    s.inputUnit_ = "V";
    s.outputUnit_ = "degC";
    s.type_ = type;
    s.coldJunctionC_ = coldJunctionC;
    s.coldJunctionMv_ = coldJunctionC ? nist::emfMillivolts(type, *coldJunctionC) : kNaN;
    s.notes_.push_back(typeText(type) + ", by the NIST ITS-90 reference functions");
    if (coldJunctionC) {
        s.constants_.push_back({"cold junction", *coldJunctionC, "degC"});
        s.constants_.push_back({"cold-junction emf", s.coldJunctionMv_ / 1000.0, "V"});
    } else {
        s.notes_.push_back("no cold-junction temperature was given: every value is refused until one is");
    }
    return s;
}

std::optional<Scale> Scale::rtd(double r0Ohm) {
    if (!finite({r0Ohm}) || !(r0Ohm > 0.0)) return std::nullopt;
    Scale s;
    s.kind_ = ScaleKind::Rtd;
    s.quantity_ = "temperature";
    s.inputUnit_ = "Ohm";
    s.outputUnit_ = "degC";
    s.r0_ = r0Ohm;
    s.constants_ = {{"R0", r0Ohm, "Ohm"}, {"A", cvd::kA, "degC-1"}, {"B", cvd::kB, "degC-2"}, {"C", cvd::kC, "degC-4"}};
    s.notes_.push_back("Callendar-Van Dusen equation with the IEC 60751 constants");
    return s;
}

std::optional<Scale> Scale::thermistor(double a, double b, double c) {
    const SteinhartHart equation{a, b, c};
    if (!equation.invertible()) return std::nullopt;
    Scale s;
    s.kind_ = ScaleKind::Thermistor;
    s.quantity_ = "temperature";
    s.inputUnit_ = "Ohm";
    s.outputUnit_ = "degC";
    s.a_ = a;
    s.b_ = b;
    s.c_ = c;
    s.constants_ = {{"A", a, ""}, {"B", b, ""}, {"C", c, ""}};
    return s;
}

Scale& Scale::describe(std::string quantity, std::vector<ScaleConstant> constants, std::vector<std::string> notes) {
    if (!quantity.empty()) quantity_ = std::move(quantity);
    constants_.insert(constants_.end(), std::make_move_iterator(constants.begin()),
                      std::make_move_iterator(constants.end()));
    notes_.insert(notes_.end(), std::make_move_iterator(notes.begin()), std::make_move_iterator(notes.end()));
    return *this;
}

Scale& Scale::drivenWith(double volts) {
    if (inputUnit_ != "V/V" || !finite({volts}) || !(volts > 0.0)) return *this;
    if (kind_ != ScaleKind::Sensitivity && kind_ != ScaleKind::TwoPoint) return *this;
    gain_ /= volts;
    inputUnit_ = "V";
    constants_.push_back({"excitation", volts, "V"});
    notes_.push_back("input in V, divided by the excitation of " + numberText(volts) + " V");
    return *this;
}

ValueRange Scale::validInput() const {
    switch (kind_) {
    case ScaleKind::Thermocouple: {
        const ValueRange emf = nist::emfRange(type_);
        return {(emf.low - coldJunctionMv_) / 1000.0, (emf.high - coldJunctionMv_) / 1000.0};
    }
    case ScaleKind::Rtd:
        return {cvd::kLowestRatio * r0_, cvd::kHighestRatio * r0_};
    case ScaleKind::Thermistor: return {SteinhartHart{a_, b_, c_}.lowestOhms(), kInfinity};
    default: return {-kInfinity, kInfinity};
    }
}

Conversion Scale::toPhysical(double electrical) const {
    const double physical = ScaleKernels::withPhysical(*this, [electrical](auto kernel) { return kernel(electrical); });
    if (!std::isnan(physical)) return {physical, {}};
    if (std::isnan(electrical)) return {kNaN, "the value is not a number"};
    const std::string value = quantityText(electrical, inputUnit_);
    switch (kind_) {
    case ScaleKind::Thermocouple: {
        if (!coldJunctionC_) return noColdJunction(type_);
        const std::string type = typeText(type_);
        if (std::isnan(coldJunctionMv_)) {
            const ValueRange range = nist::temperatureRange(type_);
            return {kNaN, "the cold-junction temperature " + numberText(*coldJunctionC_) + " degC is outside the " +
                              type + " reference function (" + rangeText(range, "degC") + ")"};
        }
        return {kNaN, value + " is outside the " + type + " inverse functions with the cold junction at " +
                          numberText(*coldJunctionC_) + " degC (" + rangeText(validInput(), "V") + ")"};
    }
    case ScaleKind::Rtd:
        return {kNaN, value + " is outside the IEC 60751 curve for R0 = " + numberText(r0_) + " Ohm (" +
                          rangeText(validInput(), "Ohm") + ")"};
    case ScaleKind::Thermistor:
        return {kNaN, value + " has no temperature by these Steinhart-Hart coefficients (they give one above " +
                          quantityText(validInput().low, "Ohm") + ")"};
    default: return {kNaN, value + " gives no number"};
    }
}

Conversion Scale::toElectrical(double physical) const {
    const double electrical = ScaleKernels::withElectrical(*this, [physical](auto kernel) { return kernel(physical); });
    if (!std::isnan(electrical)) return {electrical, {}};
    if (std::isnan(physical)) return {kNaN, "the value is not a number"};
    const std::string value = quantityText(physical, outputUnit_);
    switch (kind_) {
    case ScaleKind::Thermocouple: {
        if (!coldJunctionC_) return noColdJunction(type_);
        return {kNaN, value + " or the cold junction is outside the " + typeText(type_) + " reference function (" +
                          rangeText(nist::temperatureRange(type_), "degC") + ")"};
    }
    case ScaleKind::Rtd:
        return {kNaN, value + " is outside the IEC 60751 curve (" +
                          rangeText({cvd::kLowestC, cvd::kHighestC}, "degC") + ")"};
    case ScaleKind::Thermistor: return {kNaN, value + " is at or below absolute zero"};
    default: return {kNaN, value + " gives no number"};
    }
}

}  // namespace teds::scale
