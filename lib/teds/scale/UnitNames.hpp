#pragma once
// The short names of the SI units a scale is stated in, from the exponents
// a template gives a unit by.

#include <array>
#include <cstdint>
#include <string>

#include "teds_unit.hpp"

namespace teds::scale {

using Exponents = std::array<std::int32_t, kBaseUnitCount>;

// The volt's exponents, which a sensitivity divides.
Exponents voltExponents();

// "V", "A", "Ohm", "m/s^2", "N", "Pa", "K", "Hz", "m", "s" for those units'
// exponents, "V/V" for the ratio of two voltages, "degC" for kelvin offset
// by -273.15; otherwise the product of base units as a template writes it
// ("m*kg*s-2"). Slope and offset other than those are the caller's to apply.
std::string unitName(const UnitRecord& unit);
std::string unitName(const Exponents& exponents);

// The quantity a unit measures, for the units unitName knows; empty otherwise.
std::string quantityOf(const Exponents& exponents);

}  // namespace teds::scale
