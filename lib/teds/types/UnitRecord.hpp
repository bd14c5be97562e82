#pragma once
// Units as templates declare them, and the text made of their numbers.

#include <array>
#include <cstdint>
#include <string>

#include "teds_unit.hpp"

namespace teds::types {

using teds::kBaseUnitCount;
using teds::UnitRecord;
using teds::UnitType;

// In exponent order: rad, ster, m, kg, s, A, K, mol, cd.
extern const std::array<const char*, kBaseUnitCount> kBaseUnitSymbols;

// The base units a unit's exponents make, "m*kg*s-2"; empty when every
// exponent is 0.
std::string productText(const std::array<std::int32_t, kBaseUnitCount>& exponents);

// The unit text for these numbers; at most 1023 characters.
std::string buildUnitText(UnitType unitType, const std::array<std::int32_t, kBaseUnitCount>& exponents,
                          double slope, double offset);

}  // namespace teds::types
