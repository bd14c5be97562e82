// Scaling through the exports, on real sensors decoded with the standard
// templates: the scale a template states, one value each way, arrays, and
// what a caller gets when there is no scale or a value cannot be converted.

#include <cctype>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "CallerSupport.hpp"

namespace teds::test {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// The channel values a call passes, and which of them count.
struct Channel {
    std::int32_t given = 0;
    double coldJunctionC = 0.0;
    double excitationV = 0.0;
    double r0Ohm = 0.0;
};

const Channel kNothing{};
const Channel kColdJunctionAt25{MIRX_TEDS_COLD_JUNCTION, 25.0, 0.0, 0.0};
const Channel kExcitedWith10V{MIRX_TEDS_EXCITATION, 0.0, 10.0, 0.0};

// The image of a hex file of the real sensors, two digits a byte.
std::vector<std::uint8_t> realImage(const std::string& name) {
    std::ifstream in(std::string(TEDS_REAL_TEDS_DIR) + "/" + name + ".hex");
    std::string digits;
    for (char c; in.get(c);)
        if (std::isxdigit(static_cast<unsigned char>(c))) digits += c;
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i + 1 < digits.size(); i += 2)
        bytes.push_back(static_cast<std::uint8_t>(std::stoul(digits.substr(i, 2), nullptr, 16)));
    return bytes;
}

class ScaleExports : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_GT(MirxTEDS_ParseTDLFile(session.parser(), TEDS_STANDARD_TEMPLATES), 0); }

    DecodedTeds sensor(const std::string& name) {
        const std::vector<std::uint8_t> image = realImage(name);
        DecodedTeds teds = MirxTEDS_ParseTEDS(session.parser(), image.data(), static_cast<std::int32_t>(image.size()));
        decoded.push_back(teds);
        return teds;
    }

    void TearDown() override {
        for (DecodedTeds teds : decoded) MirxTEDS_FreeTEDS(teds);
    }

    Session session;
    std::vector<DecodedTeds> decoded;
};

struct Converted {
    std::int32_t ok = -1;
    double value = -1.0;
    std::string reason;
};

Converted scaleValue(DecodedTeds teds, const Channel& channel, bool inverse, double value,
                     std::uint32_t templateIndex = 0) {
    Converted converted;
    OwnedBstr reason("stale reason");
    converted.ok = MirxTEDS_ScaleValue(teds, templateIndex, channel.given, channel.coldJunctionC, channel.excitationV,
                                       channel.r0Ohm, inverse ? 1 : 0, value, &converted.value, reason.out());
    converted.reason = byteText(reason.value);
    return converted;
}

double propertyNumber(DecodedTeds teds, const char* name) {
    OwnedVariant value;
    MirxTEDS_GetPropertyValue(teds, 0, name, 0, value.out(), nullptr);
    return value.value.vt == VT_R8 ? value.value.dblVal : kNaN;
}

struct ValueRow {
    const char* what;
    const char* sensor;
    Channel channel;
    double electrical;
    double physical;
    double tolerance;
    double backTolerance;  // electrical: the inverse functions of a thermocouple are not exact
};

TEST_F(ScaleExports, ConvertsRealSensorsBothWays) {
    const std::vector<ValueRow> rows = {
        // 49.03 V per g, as its maker states: 49.03 V is one standard g.
        {"accelerometer", "Accelerometer", kNothing, 49.03, 9.80665, 0.005, 1e-12},
        // Type K: 4.096 mV at 100 degC less 1.000 mV at 25 degC; about 41 uV per degC.
        {"thermocouple", "TempTC", kColdJunctionAt25, 0.003096, 100.0, 0.05, 2.5e-6},
        // -2 to 2 V/V over -100 to 100, or over 10 V of excitation.
        {"bridge as a ratio", "ForceBridge", kNothing, 0.01, 0.5, 1e-12, 1e-15},
        {"bridge in volts", "ForceBridge", kExcitedWith10V, 0.1, 0.5, 1e-12, 1e-15},
    };
    for (const ValueRow& row : rows) {
        DecodedTeds teds = sensor(row.sensor);
        const Converted physical = scaleValue(teds, row.channel, false, row.electrical);
        EXPECT_EQ(physical.ok, 1) << row.what << ": " << physical.reason;
        EXPECT_NEAR(physical.value, row.physical, row.tolerance) << row.what;
        EXPECT_EQ(physical.reason, "") << row.what;
        const Converted electrical = scaleValue(teds, row.channel, true, physical.value);
        EXPECT_EQ(electrical.ok, 1) << row.what << ": " << electrical.reason;
        EXPECT_NEAR(electrical.value, row.electrical, row.backTolerance) << row.what;
    }
}

TEST_F(ScaleExports, ThermistorFollowsItsOwnCoefficients) {
    DecodedTeds teds = sensor("ThermistorIex");
    const double a = propertyNumber(teds, "%SteinhartHartA");
    const double b = propertyNumber(teds, "%SteinhartHartB");
    const double c = propertyNumber(teds, "%SteinhartHartC");
    const double lnR = std::log(10000.0);
    const double expected = 1.0 / (a + b * lnR + c * lnR * lnR * lnR) - 273.15;
    const Converted converted = scaleValue(teds, kNothing, false, 10000.0);
    EXPECT_EQ(converted.ok, 1) << converted.reason;
    EXPECT_NEAR(converted.value, expected, 1e-9);
    EXPECT_NEAR(converted.value, 12.8, 0.5);  // by the coefficients the maker states
}

// The valid electrical range: both ends open, not known without a value
// the caller did not give, bounded near `low` and `high`, or bounded below.
enum class Range { Open, Unknown, Near, Above };

struct ScaleRow {
    const char* sensor;
    Channel channel;
    std::int32_t kind;
    const char* inputUnit;
    const char* outputUnit;
    Range range;
    double low;
    double high;
    const char* inText;
};

TEST_F(ScaleExports, DescribesTheScaleOfATemplate) {
    const std::vector<ScaleRow> rows = {
        {"Accelerometer", kNothing, 1, "V", "m/s^2", Range::Open, 0, 0, "quantity: acceleration"},
        {"ForceBridge", kNothing, 2, "V/V", "lb", Range::Open, 0, 0, "electrical high: 2 V/V"},
        {"ForceBridge", kExcitedWith10V, 2, "V", "lb", Range::Open, 0, 0, "\r\nexcitation: 10 V\r\n"},
        // Type K from -5.891 to 54.886 mV, less 1.000 mV at the cold junction.
        {"TempTC", kColdJunctionAt25, 3, "V", "degC", Range::Near, -0.006891, 0.053886, "cold junction: 25 degC"},
        {"TempTC", kNothing, 3, "V", "degC", Range::Unknown, 0, 0, "note: type K"},
        {"ThermistorIex", kNothing, 5, "Ohm", "degC", Range::Above, 0, 0, "A: 0.0013"},
    };
    for (const ScaleRow& row : rows) {
        DecodedTeds teds = sensor(row.sensor);
        std::int32_t kind = -1;
        OwnedBstr inputUnit("stale");
        OwnedBstr outputUnit("stale");
        double low = -1.0;
        double high = -1.0;
        OwnedBstr text("stale");
        const Channel& c = row.channel;
        EXPECT_EQ(MirxTEDS_GetScale(teds, 0, c.given, c.coldJunctionC, c.excitationV, c.r0Ohm, &kind, inputUnit.out(),
                                    outputUnit.out(), &low, &high, text.out()),
                  1)
            << row.sensor;
        EXPECT_EQ(kind, row.kind) << row.sensor;
        EXPECT_EQ(byteText(inputUnit.value), row.inputUnit) << row.sensor;
        EXPECT_EQ(byteText(outputUnit.value), row.outputUnit) << row.sensor;
        switch (row.range) {
        case Range::Open: EXPECT_TRUE(low == -kInfinity && high == kInfinity) << row.sensor; break;
        case Range::Unknown: EXPECT_TRUE(std::isnan(low) && std::isnan(high)) << row.sensor; break;
        case Range::Near:
            EXPECT_NEAR(low, row.low, 2e-6) << row.sensor;
            EXPECT_NEAR(high, row.high, 2e-6) << row.sensor;
            break;
        case Range::Above: EXPECT_TRUE(std::isfinite(low) && high == kInfinity) << row.sensor; break;
        }
        const std::string described = byteText(text.value);
        EXPECT_NE(described.find(row.inText), std::string::npos) << row.sensor << ":\n" << described;
        EXPECT_EQ(described.find("\n\n"), std::string::npos) << described;
    }
    // Every output may be left out.
    EXPECT_EQ(MirxTEDS_GetScale(sensor("Accelerometer"), 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr,
                                nullptr),
              1);
}

struct RefusalRow {
    const char* what;
    const char* sensor;
    std::uint32_t templateIndex;
    Channel channel;
    double value;
    const char* inReason;
};

TEST_F(ScaleExports, RefusesWithNaNAndTheReason) {
    const std::vector<RefusalRow> rows = {
        {"no cold junction", "TempTC", 0, kNothing, 0.003, "cold-junction temperature"},
        // A flag decides, not the value beside it.
        {"cold junction not flagged", "TempTC", 0, {0, 25.0, 0.0, 0.0}, 0.003, "cold-junction temperature"},
        {"no electrical range", "Voltage", 0, kNothing, 1.0, "%MinElecVal"},
        {"template past the last", "Accelerometer", 1, kNothing, 1.0, "no template 1"},
        {"not a number", "Accelerometer", 0, kNothing, kNaN, "not a number"},
        {"below the thermistor's range", "ThermistorIex", 0, kNothing, -5.0, "Steinhart-Hart"},
    };
    for (const RefusalRow& row : rows) {
        const Converted converted = scaleValue(sensor(row.sensor), row.channel, false, row.value, row.templateIndex);
        EXPECT_EQ(converted.ok, 0) << row.what;
        EXPECT_TRUE(std::isnan(converted.value)) << row.what;
        EXPECT_NE(converted.reason.find(row.inReason), std::string::npos) << row.what << ": " << converted.reason;
    }

    // No scale: GetScale says why in its text and releases the units.
    std::int32_t kind = -1;
    double low = -1.0;
    OwnedBstr inputUnit("stale");
    OwnedBstr text("stale");
    EXPECT_EQ(MirxTEDS_GetScale(sensor("Voltage"), 0, 0, 0, 0, 0, &kind, inputUnit.out(), nullptr, &low, nullptr,
                                text.out()),
              0);
    EXPECT_NE(byteText(text.value).find("%MinElecVal"), std::string::npos) << byteText(text.value);
    EXPECT_EQ(inputUnit.value, nullptr);
    EXPECT_EQ(kind, -1);
    EXPECT_EQ(low, -1.0);
}

TEST_F(ScaleExports, ConvertsArraysInPlaceAndCountsTheNumbers) {
    DecodedTeds teds = sensor("ThermistorIex");
    std::vector<double> samples = {10000.0, -5.0, kNaN, 5000.0};
    std::vector<double> expected(samples.size());
    for (std::size_t i = 0; i < samples.size(); ++i) expected[i] = scaleValue(teds, kNothing, false, samples[i]).value;

    EXPECT_EQ(MirxTEDS_ScaleArray(teds, 0, 0, 0, 0, 0, 0, samples.data(), samples.data(), 4), 2);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        if (std::isnan(expected[i])) EXPECT_TRUE(std::isnan(samples[i])) << i;
        else EXPECT_EQ(samples[i], expected[i]) << i;
    }
    std::vector<double> back(2, -1.0);
    const double temperatures[] = {samples[0], samples[3]};
    EXPECT_EQ(MirxTEDS_ScaleArray(teds, 0, 0, 0, 0, 0, 1, temperatures, back.data(), 2), 2);
    EXPECT_NEAR(back[0], 10000.0, 1e-6);
    EXPECT_NEAR(back[1], 5000.0, 1e-6);

    // Nothing is written for no values or no arrays.
    double one = 7.0;
    for (std::int32_t count : {0, -1, std::numeric_limits<std::int32_t>::min()})
        EXPECT_EQ(MirxTEDS_ScaleArray(teds, 0, 0, 0, 0, 0, 0, &one, &one, count), 0) << count;
    EXPECT_EQ(MirxTEDS_ScaleArray(teds, 0, 0, 0, 0, 0, 0, nullptr, &one, 1), 0);
    EXPECT_EQ(MirxTEDS_ScaleArray(teds, 0, 0, 0, 0, 0, 0, &one, nullptr, 1), 0);
    EXPECT_EQ(one, 7.0);

    // Without a scale every value fails, so none is left looking converted.
    std::vector<double> volts = {1.0, 2.0};
    EXPECT_EQ(MirxTEDS_ScaleArray(sensor("Voltage"), 0, 0, 0, 0, 0, 0, volts.data(), volts.data(), 2), 0);
    EXPECT_TRUE(std::isnan(volts[0]) && std::isnan(volts[1]));
}

}  // namespace
}  // namespace teds::test
