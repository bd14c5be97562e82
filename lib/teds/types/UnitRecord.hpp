#pragma once
// A physical unit: SI base exponents, slope and offset, and its text.

#include <array>
#include <cstdint>
#include <string>

namespace teds::types {

constexpr std::size_t kBaseUnitCount = 9;
// In exponent order: rad, ster, m, kg, s, A, K, mol, cd.
extern const std::array<const char*, kBaseUnitCount> kBaseUnitSymbols;

struct UnitRecord {
    std::string text;
    std::int32_t unitType = 0;
    std::array<std::int32_t, kBaseUnitCount> exponents{};
    double slope = 1.0;
    double offset = 0.0;

    // Builds the record and its text once.
    static UnitRecord make(std::int32_t unitType, const std::array<std::int32_t, kBaseUnitCount>& exponents,
                           double slope, double offset);

    // unitType, the nine exponents, slope, offset.
    std::array<double, 12> asArray() const;
};

// The unit text for these numbers; at most 1023 characters.
std::string buildUnitText(std::int32_t unitType, const std::array<std::int32_t, kBaseUnitCount>& exponents,
                          double slope, double offset);

}  // namespace teds::types
