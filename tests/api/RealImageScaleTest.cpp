// Real sensors scale to what their makers state, through the scale each
// decoded template gives; templates whose inputs are not decoded give a
// reason instead of a number.

#include <gtest/gtest.h>

#include <cmath>

#include "support/RealImages.hpp"
#include "teds_api.hpp"

namespace teds::api {
namespace {

using teds::testing::realImage;

ChannelConditions coldJunctionAt(double celsius) {
    ChannelConditions conditions;
    conditions.coldJunctionC = celsius;
    return conditions;
}

ScaleFound scaleOf(const std::string& file, const ChannelConditions& conditions = {}) {
    Templates templates;
    EXPECT_GT(templates.loadFile(TEDS_EXAMPLES_DIR "/templates/ieee_standard.tdl").accepted, 0);
    return Teds(templates, realImage(file)).scale(0, conditions);
}

struct Expected {
    const char* file;
    scale::ScaleKind kind;
    const char* input;
    const char* output;
    double electrical;
    double physical;
    double tolerance;
};

class RealImageScaleTest : public ::testing::TestWithParam<Expected> {};

TEST_P(RealImageScaleTest, ScalesAsTheMakerStates) {
    const Expected& e = GetParam();
    const ScaleFound found = scaleOf(e.file, coldJunctionAt(25.0));
    ASSERT_TRUE(found.scale) << found.reason;
    EXPECT_EQ(found.scale->kind(), e.kind);
    EXPECT_EQ(found.scale->inputUnit(), e.input);
    EXPECT_EQ(found.scale->outputUnit(), e.output);
    const scale::Conversion physical = found.scale->toPhysical(e.electrical);
    ASSERT_TRUE(physical.ok()) << physical.refusal;
    EXPECT_NEAR(physical.value, e.physical, e.tolerance);
    const scale::Conversion electrical = found.scale->toElectrical(e.physical);
    ASSERT_TRUE(electrical.ok()) << electrical.refusal;
    EXPECT_NEAR(found.scale->toPhysical(electrical.value).value, e.physical, e.tolerance);
}

INSTANTIATE_TEST_SUITE_P(
    Makers, RealImageScaleTest,
    ::testing::Values(
        // 49.03 V/g (+-0.01): 49.03 V is one standard gravity.
        Expected{"Accelerometer.hex", scale::ScaleKind::Sensitivity, "V", "m/s^2", 49.03, 9.80665, 0.002},
        // 1999.81 mV/Pa (+-0.01): 1.99981 V is one pascal.
        Expected{"Microphone.hex", scale::ScaleKind::Sensitivity, "V", "Pa", 1.99981, 1.0, 1e-5},
        // -100 ... 100 lb over -2 ... 2 V/V.
        Expected{"ForceBridge.hex", scale::ScaleKind::TwoPoint, "V/V", "lb", 1.0, 50.0, 1e-4},
        // Type K with the cold junction at 25 degC: 3.096 mV is 100 degC.
        Expected{"TempTC.hex", scale::ScaleKind::Thermocouple, "V", "degC", 0.003096, 100.0, 0.07},
        // A = 1.3e-3, B = 2.3e-4, C = 1.0e-7 as single-precision numbers.
        Expected{"ThermistorIex.hex", scale::ScaleKind::Thermistor, "Ohm", "degC", 10000, 12.8495, 1e-3}),
    [](const auto& info) { return std::string(info.param.file).substr(0, std::string(info.param.file).find('.')); });

TEST(RealImageScaleTest, TheBridgeReadsVoltsWithItsExcitation) {
    ChannelConditions excited;
    excited.excitationV = 5.0;
    const ScaleFound found = scaleOf("ForceBridge.hex", excited);
    ASSERT_TRUE(found.scale);
    EXPECT_EQ(found.scale->inputUnit(), "V");
    EXPECT_NEAR(found.scale->toPhysical(5.0).value, 50.0, 1e-4);
    EXPECT_EQ(found.scale->quantity(), "force/weight");
}

TEST(RealImageScaleTest, UndecodedInputsGiveAReasonNotANumber) {
    for (const char* file : {"Voltage.hex", "Current.hex", "LVDT.hex"}) {
        const ScaleFound found = scaleOf(file);
        EXPECT_FALSE(found.scale) << file;
        EXPECT_NE(found.reason.find("%MinElecVal"), std::string::npos) << found.reason;
    }
    EXPECT_NE(scaleOf("TempTC.hex").scale->toPhysical(0.001).refusal.find("cold-junction"), std::string::npos);
    EXPECT_FALSE(scaleOf("TempTC.hex").scale->toPhysical(0.001).ok());
}

}  // namespace
}  // namespace teds::api
