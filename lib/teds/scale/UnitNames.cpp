#include "teds/scale/UnitNames.hpp"

#include <string_view>

#include "teds/types/UnitRecord.hpp"

namespace teds::scale {
namespace {

struct NamedUnit {
    Exponents exponents;  // rad, ster, m, kg, s, A, K, mol, cd
    std::string_view name;
    std::string_view quantity;
};

constexpr NamedUnit kNamedUnits[] = {
    {{0, 0, 2, 1, -3, -1, 0, 0, 0}, "V", "voltage"},
    {{0, 0, 0, 0, 0, 1, 0, 0, 0}, "A", "current"},
    {{0, 0, 2, 1, -3, -2, 0, 0, 0}, "Ohm", "resistance"},
    {{0, 0, 1, 0, -2, 0, 0, 0, 0}, "m/s^2", "acceleration"},
    {{0, 0, 1, 1, -2, 0, 0, 0, 0}, "N", "force"},
    {{0, 0, -1, 1, -2, 0, 0, 0, 0}, "Pa", "pressure"},
    {{0, 0, 2, 1, -2, 0, 0, 0, 0}, "N*m", "torque"},
    {{0, 0, 0, 0, 0, 0, 1, 0, 0}, "K", "temperature"},
    {{0, 0, 0, 0, -1, 0, 0, 0, 0}, "Hz", "frequency"},
    {{0, 0, 1, 0, 0, 0, 0, 0, 0}, "m", "distance"},
    {{0, 0, 1, 0, -1, 0, 0, 0, 0}, "m/s", "velocity"},
    {{0, 0, 0, 0, 1, 0, 0, 0, 0}, "s", "time"},
};

const NamedUnit* namedUnit(const Exponents& exponents) {
    for (const NamedUnit& unit : kNamedUnits)
        if (unit.exponents == exponents) return &unit;
    return nullptr;
}

// The product as a template writes it; "1" for a pure number.
std::string productOf(const Exponents& exponents) {
    const std::string product = types::productText(exponents);
    return product.empty() ? std::string("1") : product;
}

}  // namespace

Exponents voltExponents() { return kNamedUnits[0].exponents; }

std::string unitName(const Exponents& exponents) {
    if (const NamedUnit* unit = namedUnit(exponents)) return std::string(unit->name);
    return productOf(exponents);
}

std::string unitName(const UnitRecord& unit) {
    if (unit.unitType == UnitType::Ratio && unit.offset == 0.0) {
        const std::string part = unitName(unit.exponents);
        return part.size() <= 3 ? part + "/" + part : "(" + part + ")/(" + part + ")";
    }
    if (unit.unitType != UnitType::Product) return unit.text;
    if (unit.offset == 0.0) return unitName(unit.exponents);
    // Kelvin offset by -273.15 is how templates state degrees Celsius.
    if (unit.slope == 1.0 && unit.offset == -273.15 && unitName(unit.exponents) == "K") return "degC";
    return unit.text;
}

std::string quantityOf(const Exponents& exponents) {
    const NamedUnit* unit = namedUnit(exponents);
    return unit != nullptr ? std::string(unit->quantity) : std::string();
}

}  // namespace teds::scale
