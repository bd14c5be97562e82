#pragma once
// A physical unit as a template declares it: how SI base units make it, the
// slope and offset from them, and its text.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace teds {

inline constexpr std::size_t kBaseUnitCount = 9;

// How the exponents make a unit. A template may give any number; those
// outside 0 to 7 have the empty text.
enum class UnitType : std::int32_t {
    Product = 0,          // (P), P the product of the base units
    Ratio = 1,            // (P)/(P)
    Log = 2,
    LogRatio = 3,         // log10((P)/(P))
    NoUnit = 4,
    Arbitrary = 5,
    InverseLogRatio = 6,  // 1/(log10((P)/(P)))
    Invalid = 7,          // has no numbers worth handing out
};

struct UnitRecord {
    std::string text;
    UnitType unitType = UnitType::Product;
    // In the order rad, ster, m, kg, s, A, K, mol, cd.
    std::array<std::int32_t, kBaseUnitCount> exponents{};
    double slope = 1.0;
    double offset = 0.0;

    // Builds the record and its text once.
    static UnitRecord make(UnitType unitType, const std::array<std::int32_t, kBaseUnitCount>& exponents,
                           double slope, double offset);

    // unitType, the nine exponents, slope, offset.
    std::array<double, 12> asArray() const;
};

}  // namespace teds
