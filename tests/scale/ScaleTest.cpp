// Scales made from their constants, against published reference values:
// IEC 60751 Pt100 table points, Steinhart-Hart, two-point ranges from
// published bridge certificates, thermocouple cold-junction compensation.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "teds_scale.hpp"

namespace teds::scale {
namespace {

struct Point {
    double electrical;
    double physical;
    double tolerance;  // on the physical value
};

// toPhysical within the tolerance at each point, and toElectrical back to
// the same physical value.
void expectPoints(const Scale& scale, const std::vector<Point>& points) {
    for (const Point& p : points) {
        const Conversion physical = scale.toPhysical(p.electrical);
        ASSERT_TRUE(physical.ok()) << p.electrical << ": " << physical.refusal;
        EXPECT_NEAR(physical.value, p.physical, p.tolerance) << p.electrical;
        const Conversion back = scale.toElectrical(physical.value);
        ASSERT_TRUE(back.ok()) << physical.value << ": " << back.refusal;
        EXPECT_NEAR(scale.toPhysical(back.value).value, physical.value, 1e-9 * (1 + std::fabs(p.physical)));
    }
}

TEST(ScaleTest, Pt100FollowsThePublishedTable) {
    // Published resistances are rounded to 0.01 Ohm, about 0.015 degC.
    const auto pt100 = Scale::rtd(100.0);
    ASSERT_TRUE(pt100);
    expectPoints(*pt100, {{60.26, -100, 0.02}, {80.31, -50, 0.02}, {100.00, 0, 1e-9},
                          {119.40, 50, 0.02}, {138.51, 100, 0.02}, {175.86, 200, 0.02}, {247.09, 400, 0.02},
                          {313.71, 600, 0.02}});
    EXPECT_NEAR(pt100->toElectrical(850).value, 390.4811, 1e-4);
    EXPECT_NEAR(pt100->toElectrical(-200).value, 18.5201, 1e-4);
    const auto pt1000 = Scale::rtd(1000.0);
    EXPECT_NEAR(pt1000->toElectrical(150).value, 1573.25, 0.01);
}

TEST(ScaleTest, SteinhartHartGivesTheComputedPoints) {
    const auto thermistor = Scale::thermistor(1.3e-3, 2.3e-4, 1.0e-7);
    ASSERT_TRUE(thermistor);
    expectPoints(*thermistor, {{100, 148.9769, 1e-4}, {1000, 69.1112, 1e-4}, {10000, 12.8495, 1e-4},
                               {30000, -8.6429, 1e-4}, {100000, -29.2817, 1e-4}});
    // A published 10 kOhm module: its nominal 25 degC point.
    EXPECT_NEAR(Scale::thermistor(0.001129148, 0.000234125, 0.0000000876741)->toPhysical(10000).value, 24.9997, 1e-4);
}

TEST(ScaleTest, TwoPointFollowsTheLineAndExtrapolates) {
    // A force bridge certificate: 0 ... 2000 N for 0 ... 1.00078 mV/V.
    const auto bridge = Scale::twoPoint(0, 1.00078e-3, 0, 2000, "V/V", "N");
    ASSERT_TRUE(bridge);
    expectPoints(*bridge, {{0.5e-3, 999.2206, 1e-4}, {1.00078e-3, 2000, 1e-9}, {-0.1e-3, -199.8441, 1e-4}});
    // The same bridge at 5 V excitation reads volts: 2.5 mV is 0.5 mV/V.
    Scale driven = *bridge;
    driven.drivenWith(5.0);
    EXPECT_EQ(driven.inputUnit(), "V");
    EXPECT_NEAR(driven.toPhysical(2.5e-3).value, 999.2206, 1e-4);
    // A 4-20 mA transmitter over 0 ... 10 bar.
    EXPECT_NEAR(Scale::twoPoint(0.004, 0.020, 0, 10, "A", "bar")->toPhysical(0.012).value, 5.0, 1e-12);
}

TEST(ScaleTest, ThermocoupleCompensatesTheColdJunctionByEmf) {
    // Hot junction from the NIST tables; adding temperatures instead would
    // be off by 0.9 to 10 degC in these rows.
    struct Row {
        ThermocoupleType type;
        double coldJunction;
        double measuredMv;
        double hot;
    };
    for (const Row& row : {Row{ThermocoupleType::K, 25, 3.096, 100}, Row{ThermocoupleType::K, 23, 40.357, 1000},
                           Row{ThermocoupleType::J, 25, 6.733, 150}, Row{ThermocoupleType::T, 50, -2.793, -20}}) {
        const Scale scale = Scale::thermocouple(row.type, row.coldJunction);
        const Conversion hot = scale.toPhysical(row.measuredMv / 1000.0);
        ASSERT_TRUE(hot.ok()) << hot.refusal;
        EXPECT_NEAR(hot.value, row.hot, 0.08) << row.measuredMv;
        // The inverse functions are within 0.06 degC of the reference
        // function's exact inverse: about 3 uV of emf.
        EXPECT_NEAR(scale.toElectrical(hot.value).value, row.measuredMv / 1000.0, 3e-6);
    }
}

TEST(ScaleTest, RefusesRatherThanGuesses) {
    const Scale noColdJunction = Scale::thermocouple(ThermocoupleType::K, std::nullopt);
    const Conversion refused = noColdJunction.toPhysical(0.003);
    EXPECT_TRUE(std::isnan(refused.value));
    EXPECT_NE(refused.refusal.find("cold-junction temperature"), std::string::npos);

    const Scale k = Scale::thermocouple(ThermocoupleType::K, 25.0);
    EXPECT_NE(k.toPhysical(0.060).refusal.find("outside"), std::string::npos);  // past 1372 degC
    EXPECT_NE(Scale::thermocouple(ThermocoupleType::K, 2000.0).toPhysical(0.001).refusal.find("cold-junction"),
              std::string::npos);
    EXPECT_FALSE(Scale::rtd(100)->toPhysical(10.0).ok());
    EXPECT_FALSE(Scale::rtd(100)->toElectrical(900).ok());
    EXPECT_FALSE(Scale::thermistor(1.3e-3, 2.3e-4, 1.0e-7)->toPhysical(-5).ok());
    EXPECT_FALSE(Scale::thermistor(1.3e-3, 2.3e-4, 1.0e-7)->toElectrical(-300).ok());
    EXPECT_FALSE(k.toPhysical(std::nan("")).ok());

    EXPECT_FALSE(Scale::sensitivity(0.0, "V", "N"));
    EXPECT_FALSE(Scale::twoPoint(1, 1, 0, 10, "V", "N"));
    EXPECT_FALSE(Scale::twoPoint(0, 1, 5, 5, "V", "N"));
    EXPECT_FALSE(Scale::rtd(0.0));
    EXPECT_FALSE(Scale::thermistor(1e-3, 2e-4, -1e-7));
}

TEST(ScaleTest, ArraysGiveWhatSingleValuesGive) {
    const std::vector<Scale> scales = {*Scale::sensitivity(4.99993, "V", "m/s^2"), Scale::thermocouple(ThermocoupleType::K, 25.0),
                                       *Scale::rtd(100), *Scale::thermistor(1.3e-3, 2.3e-4, 1.0e-7)};
    const std::vector<std::vector<double>> inputs = {
        {49.03, std::nan(""), 0.0}, {0.003096, 0.5, -0.001}, {100.0, 138.51, 5.0}, {10000.0, -1.0, 100.0}};
    for (std::size_t s = 0; s < scales.size(); ++s) {
        const std::vector<double>& in = inputs[s];
        std::vector<double> out(in.size());
        std::size_t numbers = scales[s].toPhysical(in.data(), out.data(), in.size());
        std::size_t expected = 0;
        for (std::size_t i = 0; i < in.size(); ++i) {
            const Conversion single = scales[s].toPhysical(in[i]);
            expected += single.ok() ? 1 : 0;
            if (single.ok()) EXPECT_EQ(out[i], single.value) << kindName(scales[s].kind()) << " " << in[i];
            else EXPECT_TRUE(std::isnan(out[i])) << kindName(scales[s].kind()) << " " << in[i];
        }
        EXPECT_EQ(numbers, expected) << kindName(scales[s].kind());
        EXPECT_LT(numbers, in.size()) << "each list holds a value the scale refuses";

        // In place, and in single precision.
        std::vector<double> inPlace = in;
        scales[s].toPhysical(inPlace.data(), inPlace.data(), inPlace.size());
        EXPECT_EQ(std::isnan(inPlace[0]), std::isnan(out[0]));
        std::vector<float> floats(in.begin(), in.end());
        scales[s].toPhysical(floats.data(), floats.data(), floats.size());
        if (!std::isnan(out[0])) {
            EXPECT_NEAR(floats[0], out[0], 1e-5 * (1 + std::fabs(out[0])));
        }
    }
}

}  // namespace
}  // namespace teds::scale
