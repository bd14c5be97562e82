#include "teds/types/UnitRecord.hpp"

#include <cfloat>
#include <cstdint>
#include <limits>
#include <string>

#include <gtest/gtest.h>

namespace teds::types {
namespace {

using Exponents = std::array<std::int32_t, kBaseUnitCount>;

// Exponent positions: rad, ster, m, kg, s, A, K, mol, cd.
constexpr Exponents kNone{};
constexpr Exponents kMetre{0, 0, 1, 0, 0, 0, 0, 0, 0};
constexpr Exponents kAcceleration{0, 0, 1, 0, -2, 0, 0, 0, 0};
constexpr Exponents kKilogram{0, 0, 0, 1, 0, 0, 0, 0, 0};
constexpr Exponents kKelvin{0, 0, 0, 0, 0, 0, 1, 0, 0};
constexpr Exponents kHertz{0, 0, 0, 0, -1, 0, 0, 0, 0};
constexpr Exponents kAllOnce{1, 1, 1, 1, 1, 1, 1, 1, 1};
constexpr Exponents kMixed{2, 0, -3, 0, 0, 10, 0, -1, 1};

struct UnitCase {
    const char* what;
    std::int32_t unitType;
    Exponents exponents;
    double slope, offset;
    const char* text;
};

class UnitText : public ::testing::TestWithParam<UnitCase> {};

TEST_P(UnitText, IsBuiltFromTypeExponentsSlopeAndOffset) {
    const UnitCase& c = GetParam();
    EXPECT_EQ(buildUnitText(static_cast<UnitType>(c.unitType), c.exponents, c.slope, c.offset), c.text) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    ProductText, UnitText,
    ::testing::Values(UnitCase{"no exponents", 0, kNone, 1, 0, "()"},
                      UnitCase{"exponent 1 is the symbol alone", 0, kMetre, 1, 0, "(m)"},
                      UnitCase{"negative exponent", 0, kHertz, 1, 0, "(s-1)"},
                      UnitCase{"product", 0, kAcceleration, 1, 0, "(m*s-2)"},
                      UnitCase{"every symbol in order", 0, kAllOnce, 1, 0, "(rad*ster*m*kg*s*A*K*mol*cd)"},
                      UnitCase{"several exponents", 0, kMixed, 1, 0, "(rad2*m-3*A10*mol-1*cd)"}));

INSTANTIATE_TEST_SUITE_P(
    BaseText, UnitText,
    ::testing::Values(UnitCase{"type 1", 1, kKilogram, 1, 0, "(kg)/(kg)"},
                      UnitCase{"type 2", 2, kMetre, 1, 0, "TODO"},
                      UnitCase{"type 3", 3, kMetre, 1, 0, "log10((m)/(m))"},
                      UnitCase{"type 3 without exponents", 3, kNone, 1, 0, "log10(()/())"},
                      UnitCase{"type 4", 4, kMetre, 1, 0, "No Unit"},
                      UnitCase{"type 5", 5, kMetre, 1, 0, "TODO"},
                      UnitCase{"type 6", 6, kMetre, 1, 0, "1/(log10((m)/(m)))"},
                      UnitCase{"type 7", 7, kMetre, 1, 0, "Invalid"},
                      UnitCase{"type 8", 8, kMetre, 1, 0, ""},
                      UnitCase{"type -1", -1, kMetre, 1, 0, ""}));

INSTANTIATE_TEST_SUITE_P(
    SlopeAndOffset, UnitText,
    ::testing::Values(UnitCase{"slope only", 0, kMetre, 1000, 0, "1000.000000 * (m)"},
                      UnitCase{"offset only", 0, kKelvin, 1, -273.15, "(K) + -273.150000"},
                      UnitCase{"both", 0, kMetre, 2, 3, "2.000000 * ((m) + 3.000000)"},
                      UnitCase{"slope on a placeholder", 2, kMetre, 2, 0, "2.000000 * TODO"},
                      UnitCase{"slope on the empty text", 9, kMetre, 0.5, 0, "0.500000 * "},
                      UnitCase{"type 4 ignores slope and offset", 4, kMetre, 2, 5, "No Unit"},
                      UnitCase{"type 7 ignores slope and offset", 7, kMetre, 2, 5, "Invalid"},
                      UnitCase{"slope a hair above 1 is not 1", 0, kMetre, 1.0000000000000002, 0,
                               "1.000000 * (m)"},
                      UnitCase{"negative zero offset is 0", 0, kMetre, 1, -0.0, "(m)"},
                      UnitCase{"slope 0", 0, kMetre, 0, 0, "0.000000 * (m)"},
                      UnitCase{"tiny offset rounds away in print", 0, kMetre, 1, 1e-9, "(m) + 0.000000"}));

// The longest text any record can have: nine exponents of the widest
// decimal form, the type that repeats them, and slope and offset of the
// largest magnitude printed in full. It stays well below the 1023-character
// limit, so no unit text is ever cut.
TEST(UnitText, LongestPossibleTextIsKeptWhole) {
    Exponents widest;
    widest.fill(std::numeric_limits<std::int32_t>::min());
    const std::string text = buildUnitText(UnitType::InverseLogRatio, widest, -DBL_MAX, -DBL_MAX);
    EXPECT_EQ(text.size(), 908u);
    EXPECT_EQ(text.substr(0, 20), "-1797693134862315708");
    EXPECT_EQ(text.substr(317, 30), " * (1/(log10((rad-2147483648*s");
    EXPECT_EQ(text.substr(text.size() - 8), ".000000)");
}

TEST(UnitRecord, MakeKeepsTheNumbersAndBuildsTheText) {
    const UnitRecord r = UnitRecord::make(UnitType::Product, kAcceleration, 9.80665, 0);
    EXPECT_EQ(r.text, "9.806650 * (m*s-2)");
    EXPECT_EQ(r.unitType, UnitType::Product);
    EXPECT_EQ(r.exponents, kAcceleration);
    EXPECT_EQ(r.slope, 9.80665);
    EXPECT_EQ(r.offset, 0.0);
}

TEST(UnitRecord, ArrayFormIsTypeExponentsSlopeOffset) {
    const UnitRecord r = UnitRecord::make(UnitType::LogRatio, kMixed, 0.25, -1.5);
    const std::array<double, 12> expected{3, 2, 0, -3, 0, 0, 10, 0, -1, 1, 0.25, -1.5};
    EXPECT_EQ(r.asArray(), expected);
}

}  // namespace
}  // namespace teds::types
