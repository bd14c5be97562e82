#include "teds/scale/Measurands.hpp"

#include <array>

namespace teds::scale {
namespace {

// In the published order. Codes 0 (kelvin, in two vendors' voltage and
// current images) and 5 (pound-force, in a bridge image) are checked
// against what their publisher reads from them.
constexpr std::array<Measurand, 46> kMeasurands{{
    {"temperature", "K", true},
    {"temperature", "degC", false},
    {"strain", "m/m", false},
    {"strain", "um/m", false},
    {"force/weight", "N", false},
    {"force/weight", "lb", true},
    {"force/weight", "kgf", false},
    {"acceleration", "m/s^2", false},
    {"acceleration", "g", false},
    {"torque", "N*m/rad", false},
    {"torque", "N*m", false},
    {"torque", "oz*in", false},
    {"pressure", "Pa", false},
    {"pressure", "psi", false},
    {"mass", "kg", false},
    {"mass", "g", false},
    {"distance", "m", false},
    {"distance", "mm", false},
    {"distance", "in", false},
    {"velocity", "m/s", false},
    {"velocity", "mph", false},
    {"velocity", "ft/s", false},
    {"angular position", "rad", false},
    {"angular position", "deg", false},
    {"rotational velocity", "rad/s", false},
    {"rotational velocity", "rpm", false},
    {"frequency", "", false},
    {"concentration", "g/l", false},
    {"concentration", "kg/l", false},
    {"molar concentration", "mol/m^3", false},
    {"molar concentration", "mol/l", false},
    {"volumetric concentration", "m^3/m^3", false},
    {"volumetric concentration", "l/l", false},
    {"mass flow", "", false},
    {"volumetric flow", "m^3/s", false},
    {"volumetric flow", "m^3/h", false},
    {"volumetric flow", "gpm", false},
    {"volumetric flow", "cfm", false},
    {"volumetric flow", "l/min", false},
    {"relative humidity", "", false},
    {"ratio", "%", false},
    {"voltage", "V", false},
    {"RMS voltage", "V", false},
    {"current", "A", false},
    {"RMS current", "A", false},
    {"power", "W", false},
}};

}  // namespace

std::optional<Measurand> measurandOf(std::uint64_t code) {
    if (code >= kMeasurands.size()) return std::nullopt;
    return kMeasurands[code];
}

}  // namespace teds::scale
