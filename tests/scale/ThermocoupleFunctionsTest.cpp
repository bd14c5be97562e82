#include "teds/scale/ThermocoupleFunctions.hpp"

#include <cmath>
#include <cstddef>
#include <limits>
#include <optional>
#include <string>

#include <gtest/gtest.h>

namespace teds::scale::nist {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr ThermocoupleType kAllTypes[] = {ThermocoupleType::B, ThermocoupleType::E, ThermocoupleType::J,
                                          ThermocoupleType::K, ThermocoupleType::N, ThermocoupleType::R,
                                          ThermocoupleType::S, ThermocoupleType::T};

std::string nameOf(ThermocoupleType type) {
    return std::string("type ") + kThermocoupleLetters[static_cast<std::size_t>(type)];
}

// A NIST table entry (reference junction at 0 degC) and how close the
// inverse must come back to it: its error band plus the table's rounding.
struct TablePoint {
    ThermocoupleType type;
    double celsius;
    double millivolts;
    std::optional<double> inverseTolerance;  // none: the emf is outside the inverse ranges
};
constexpr std::nullopt_t kOutside = std::nullopt;

constexpr TablePoint kTablePoints[] = {
    {ThermocoupleType::B, 250, 0.291, 0.228},
    {ThermocoupleType::B, 300, 0.431, 0.194},
    {ThermocoupleType::B, 400, 0.787, 0.153},
    {ThermocoupleType::B, 500, 1.242, 0.129},
    {ThermocoupleType::B, 600, 1.792, 0.114},
    {ThermocoupleType::B, 630, 1.975, 0.110},
    {ThermocoupleType::B, 700, 2.431, 0.103},
    {ThermocoupleType::B, 800, 3.154, 0.085},
    {ThermocoupleType::B, 1000, 4.834, 0.075},
    {ThermocoupleType::B, 1200, 6.786, 0.068},
    {ThermocoupleType::B, 1500, 10.099, 0.063},
    {ThermocoupleType::B, 1700, 12.433, 0.063},
    {ThermocoupleType::B, 1820, 13.820, 0.064},
    {ThermocoupleType::E, -270, -9.835, kOutside},
    {ThermocoupleType::E, -200, -8.825, 0.050},
    {ThermocoupleType::E, -100, -5.237, 0.041},
    {ThermocoupleType::E, -50, -2.787, 0.040},
    {ThermocoupleType::E, 0, 0.000, 0.039},
    {ThermocoupleType::E, 25, 1.495, 0.028},
    {ThermocoupleType::E, 100, 6.319, 0.027},
    {ThermocoupleType::E, 200, 13.421, 0.027},
    {ThermocoupleType::E, 400, 28.946, 0.026},
    {ThermocoupleType::E, 600, 45.093, 0.026},
    {ThermocoupleType::E, 800, 61.017, 0.026},
    {ThermocoupleType::E, 1000, 76.373, 0.027},
    {ThermocoupleType::J, -210, -8.095, 0.076},
    {ThermocoupleType::J, -200, -7.890, 0.073},
    {ThermocoupleType::J, -100, -4.633, 0.062},
    {ThermocoupleType::J, -50, -2.431, 0.061},
    {ThermocoupleType::J, 0, 0.000, 0.060},
    {ThermocoupleType::J, 25, 1.277, 0.050},
    {ThermocoupleType::J, 100, 5.269, 0.049},
    {ThermocoupleType::J, 300, 16.327, 0.049},
    {ThermocoupleType::J, 500, 27.393, 0.049},
    {ThermocoupleType::J, 760, 42.919, 0.048},
    {ThermocoupleType::J, 900, 51.877, 0.048},
    {ThermocoupleType::J, 1200, 69.553, 0.049},
    {ThermocoupleType::K, -270, -6.458, kOutside},
    {ThermocoupleType::K, -200, -5.891, 0.073},
    {ThermocoupleType::K, -100, -3.554, 0.056},
    {ThermocoupleType::K, -50, -1.889, 0.054},
    {ThermocoupleType::K, 0, 0.000, 0.063},
    {ThermocoupleType::K, 25, 1.000, 0.062},
    {ThermocoupleType::K, 100, 4.096, 0.062},
    {ThermocoupleType::K, 200, 8.138, 0.063},
    {ThermocoupleType::K, 500, 20.644, 0.072},
    {ThermocoupleType::K, 800, 33.275, 0.072},
    {ThermocoupleType::K, 1000, 41.276, 0.073},
    {ThermocoupleType::K, 1200, 48.838, 0.074},
    {ThermocoupleType::K, 1372, 54.886, 0.075},
    {ThermocoupleType::N, -270, -4.345, kOutside},
    {ThermocoupleType::N, -200, -3.990, 0.080},
    {ThermocoupleType::N, -100, -2.407, 0.054},
    {ThermocoupleType::N, 0, 0.000, 0.049},
    {ThermocoupleType::N, 25, 0.659, 0.049},
    {ThermocoupleType::N, 100, 2.774, 0.047},
    {ThermocoupleType::N, 300, 9.341, 0.044},
    {ThermocoupleType::N, 600, 20.613, 0.053},
    {ThermocoupleType::N, 800, 28.455, 0.053},
    {ThermocoupleType::N, 1000, 36.256, 0.053},
    {ThermocoupleType::N, 1300, 47.513, 0.054},
    {ThermocoupleType::R, -50, -0.226, 0.155},
    {ThermocoupleType::R, 0, 0.000, 0.115},
    {ThermocoupleType::R, 25, 0.141, 0.104},
    {ThermocoupleType::R, 100, 0.647, 0.087},
    {ThermocoupleType::R, 250, 1.923, 0.074},
    {ThermocoupleType::R, 500, 4.471, 0.051},
    {ThermocoupleType::R, 1000, 10.506, 0.043},
    {ThermocoupleType::R, 1064, 11.361, 0.042},
    {ThermocoupleType::R, 1200, 13.228, 0.041},
    {ThermocoupleType::R, 1500, 17.451, 0.037},
    {ThermocoupleType::R, 1664, 19.732, 0.037},
    {ThermocoupleType::R, 1700, 20.222, 0.039},
    {ThermocoupleType::R, 1768, 21.101, 0.043},
    {ThermocoupleType::S, -50, -0.236, kOutside},
    {ThermocoupleType::S, 0, 0.000, 0.113},
    {ThermocoupleType::S, 25, 0.143, 0.103},
    {ThermocoupleType::S, 100, 0.646, 0.088},
    {ThermocoupleType::S, 250, 1.874, 0.077},
    {ThermocoupleType::S, 500, 4.233, 0.061},
    {ThermocoupleType::S, 1000, 9.587, 0.053},
    {ThermocoupleType::S, 1064, 10.332, 0.053},
    {ThermocoupleType::S, 1200, 11.951, 0.042},
    {ThermocoupleType::S, 1500, 15.582, 0.042},
    {ThermocoupleType::S, 1664, 17.530, 0.043},
    {ThermocoupleType::S, 1700, 17.947, 0.046},
    {ThermocoupleType::S, 1768, 18.693, 0.050},
    {ThermocoupleType::T, -270, -6.258, kOutside},
    {ThermocoupleType::T, -200, -5.603, 0.072},
    {ThermocoupleType::T, -150, -4.648, 0.062},
    {ThermocoupleType::T, -100, -3.379, 0.058},
    {ThermocoupleType::T, -50, -1.819, 0.055},
    {ThermocoupleType::T, 0, 0.000, 0.053},
    {ThermocoupleType::T, 25, 0.992, 0.042},
    {ThermocoupleType::T, 100, 4.279, 0.041},
    {ThermocoupleType::T, 200, 9.288, 0.039},
    {ThermocoupleType::T, 300, 14.862, 0.039},
    {ThermocoupleType::T, 400, 20.872, 0.038},};

TEST(ThermocoupleFunctions, ReproduceNistTableEntriesBothWays) {
    for (const auto& point : kTablePoints) {
        SCOPED_TRACE(nameOf(point.type) + " at " + std::to_string(point.celsius) + " degC");
        EXPECT_NEAR(emfMillivolts(point.type, point.celsius), point.millivolts, 0.0005);
        const double celsius = temperatureCelsius(point.type, point.millivolts);
        if (point.inverseTolerance) {
            EXPECT_NEAR(celsius, point.celsius, *point.inverseTolerance);
        } else {
            EXPECT_TRUE(std::isnan(celsius)) << celsius;
        }
    }
}

// On a fine grid the inverse stays within the band NIST publishes for it,
// plus the 0.001 degC the band itself is rounded to. The last two rows hold
// the overlap of the R and S inverse ranges to the narrower band.
TEST(ThermocoupleFunctions, InverseUndoesTheReferenceFunctionWithinItsBand) {
    struct Band {
        ThermocoupleType type;
        double fromC;
        double toC;
        double band;
    };
    constexpr Band kBands[] = {
        {ThermocoupleType::B, 250, 1820, 0.03},    {ThermocoupleType::E, -200, 1000, 0.03},
        {ThermocoupleType::J, -210, 1200, 0.05},   {ThermocoupleType::K, -200, 1372, 0.06},
        {ThermocoupleType::N, -200, 1300, 0.04},   {ThermocoupleType::R, -50, 1768.1, 0.02},
        {ThermocoupleType::S, -50, 1768.1, 0.02},  {ThermocoupleType::T, -200, 400, 0.04},
        {ThermocoupleType::R, 1064, 1200, 0.001}, {ThermocoupleType::S, 1064, 1200, 0.0002},
    };
    for (const auto& row : kBands) {
        SCOPED_TRACE(nameOf(row.type) + " from " + std::to_string(row.fromC) + " degC");
        double worst = 0.0;
        // Every temperature of the inverse range converts, its ends included.
        for (double t = row.fromC; t <= row.toC; t += 0.25) {
            const double emf = emfMillivolts(row.type, t);
            const double deviation = std::fabs(temperatureCelsius(row.type, emf) - t);
            worst = std::isnan(deviation) ? kInf : std::fmax(worst, deviation);
        }
        EXPECT_LE(worst, row.band + 0.001);
    }
}

TEST(ThermocoupleFunctions, RangesIncludeTheirEndsAndNothingBeyond) {
    struct Ranges {
        ThermocoupleType type;
        ValueRange celsius;
        ValueRange millivolts;
    };
    constexpr Ranges kRanges[] = {
        {ThermocoupleType::B, {0, 1820}, {0.291, 13.82}},     {ThermocoupleType::E, {-270, 1000}, {-8.825, 76.373}},
        {ThermocoupleType::J, {-210, 1200}, {-8.095, 69.553}}, {ThermocoupleType::K, {-270, 1372}, {-5.891, 54.886}},
        {ThermocoupleType::N, {-270, 1300}, {-3.99, 47.513}},  {ThermocoupleType::R, {-50, 1768.1}, {-0.226, 21.103}},
        {ThermocoupleType::S, {-50, 1768.1}, {-0.235, 18.693}}, {ThermocoupleType::T, {-270, 400}, {-5.603, 20.872}},
    };
    for (const auto& row : kRanges) {
        SCOPED_TRACE(nameOf(row.type));
        const auto celsius = temperatureRange(row.type);
        const auto millivolts = emfRange(row.type);
        EXPECT_EQ(celsius.low, row.celsius.low);
        EXPECT_EQ(celsius.high, row.celsius.high);
        // The published emf ends, rounded to 0.001 mV, widened to the exact
        // emf at the end temperatures where that lies beyond them.
        EXPECT_LE(millivolts.low, row.millivolts.low);
        EXPECT_GT(millivolts.low, row.millivolts.low - 0.001);
        EXPECT_GE(millivolts.high, row.millivolts.high);
        EXPECT_LT(millivolts.high, row.millivolts.high + 0.001);

        for (double end : {celsius.low, celsius.high}) EXPECT_TRUE(std::isfinite(emfMillivolts(row.type, end))) << end;
        for (double end : {millivolts.low, millivolts.high}) {
            EXPECT_TRUE(std::isfinite(temperatureCelsius(row.type, end))) << end;
        }
        EXPECT_TRUE(std::isnan(emfMillivolts(row.type, std::nextafter(celsius.low, -kInf))));
        EXPECT_TRUE(std::isnan(emfMillivolts(row.type, std::nextafter(celsius.high, kInf))));
        EXPECT_TRUE(std::isnan(temperatureCelsius(row.type, std::nextafter(millivolts.low, -kInf))));
        EXPECT_TRUE(std::isnan(temperatureCelsius(row.type, std::nextafter(millivolts.high, kInf))));
    }
}

TEST(ThermocoupleFunctions, NaNOrATypeOutsideTheEnumerationGivesNaN) {
    for (auto type : kAllTypes) {
        SCOPED_TRACE(nameOf(type));
        EXPECT_TRUE(std::isnan(emfMillivolts(type, kNaN)));
        EXPECT_TRUE(std::isnan(temperatureCelsius(type, kNaN)));
    }
    for (auto type : {static_cast<ThermocoupleType>(8), static_cast<ThermocoupleType>(-1)}) {
        EXPECT_TRUE(std::isnan(emfMillivolts(type, 100.0)));
        EXPECT_TRUE(std::isnan(temperatureCelsius(type, 1.0)));
        EXPECT_TRUE(std::isnan(temperatureRange(type).low));
        EXPECT_TRUE(std::isnan(emfRange(type).high));
    }
}

}  // namespace
}  // namespace teds::scale::nist
