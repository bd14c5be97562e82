// tedsscale end to end on real sensor images, and tedsdump --scale beside it.

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "ValueLines.hpp"
#include "teds_api.hpp"
#include "tools/ToolRun.hpp"

namespace tedsdump {
namespace {

using nlohmann::json;
using testing::runScaler;
using testing::runTool;
using Args = std::vector<std::string>;

std::string realImagePath(const std::string& file) { return std::string(TEDS_TEST_DATA_DIR) + "/real-teds/" + file; }

std::vector<double> numbersOf(const std::string& out) {
    std::vector<double> numbers;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) numbers.push_back(line == "nan" ? -1e300 : std::stod(line));
    return numbers;
}

struct Conversion {
    const char* what;
    Args args;  // after the image
    std::string image;
    double expected;
    double tolerance;
};

TEST(TedsscaleTest, ConvertsWhatRealSensorsMeasure) {
    const Conversion cases[] = {
        // 49.03 V/g: one g gives 49.03 V.
        {"accelerometer", {"49.03"}, "Accelerometer.hex", 9.807, 0.01},
        {"accelerometer, negative value", {"-49.03"}, "Accelerometer.hex", -9.807, 0.01},
        // Type K: 4.096 mV above a 25 degC junction (1.000 mV) is 100 degC.
        {"thermocouple", {"--cjc", "25", "0.003096"}, "TempTC.hex", 100.0, 0.07},
        {"thermocouple, back", {"--cjc=25", "--inverse", "100"}, "TempTC.hex", 0.003096, 3e-6},
        {"microphone, 1999.81 mV/Pa", {"1.99981"}, "Microphone.hex", 1.0, 1e-5},
    };
    for (const Conversion& c : cases) {
        Args args{realImagePath(c.image)};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const testing::ToolResult run = runScaler(args);
        EXPECT_EQ(run.status, 0) << c.what << ": " << run.err;
        const std::vector<double> numbers = numbersOf(run.out);
        ASSERT_EQ(numbers.size(), 1u) << c.what << ": " << run.out;
        EXPECT_NEAR(numbers[0], c.expected, c.tolerance) << c.what;
    }
}

TEST(TedsscaleTest, InverseGivesBackTheValuesItConverted) {
    for (const char* image : {"Accelerometer.hex", "TempTC.hex", "ThermistorIex.hex", "ForceBridge.hex"}) {
        const std::string path = realImagePath(image);
        // Two values inside the scale's valid input, as tedsdump states it.
        const json scale = json::parse(runTool({"--json", "--scale", "--cjc", "20", path}).out)["templates"][0]["scale"];
        ASSERT_TRUE(scale.contains("validInput")) << image << ": " << scale.dump();
        const json& valid = scale["validInput"];
        const double low = valid[0].is_null() ? -1.0 : valid[0].get<double>();
        const double high = valid[1].is_null() ? low + 2.0 : valid[1].get<double>();
        const std::vector<double> values{low + (high - low) * 0.25, low + (high - low) * 0.5};

        const testing::ToolResult there = runScaler(
            {path, "--cjc", "20", teds::api::realText(values[0]), teds::api::realText(values[1])});
        ASSERT_EQ(there.status, 0) << image << ": " << there.err;
        const testing::ToolResult back = runScaler({path, "--cjc", "20", "--inverse"}, there.out);
        ASSERT_EQ(back.status, 0) << image << ": " << back.err;
        const std::vector<double> again = numbersOf(back.out);
        ASSERT_EQ(again.size(), 2u) << image;
        // NIST's inverse thermocouple functions are within some 0.06 degC, 3 uV, of the reference functions.
        const double tolerance = (high - low) * 1e-9 + (scale["kind"] == "thermocouple" ? 3e-6 : 0.0);
        for (std::size_t i = 0; i < 2; ++i) EXPECT_NEAR(again[i], values[i], tolerance) << image;
    }
}

struct Refusal {
    const char* what;
    Args args;
    std::string input;  // standard input
    int status;
    std::string out;
    std::string errPart;
};

TEST(TedsscaleTest, SaysWhyItConvertsNothingOrNotEverything) {
    const std::string tc = realImagePath("TempTC.hex");
    const std::string accel = realImagePath("Accelerometer.hex");
    const Refusal cases[] = {
        {"thermocouple without a cold junction", {tc, "0.003096"}, "", 1, "nan\n", "tedsscale: 0.003096: "},
        {"not a number among numbers", {accel, "49.03e", "0"}, "", 1, "nan\n0\n", "tedsscale: 49.03e: not a number"},
        {"control bytes in a value", {accel}, "1\x1b[2J\n", 1, "nan\n", "tedsscale: 1\\x1B[2J: not a number"},
        {"a line short of the column", {accel, "--column", "2"}, "t,v\n0,0\n5\n", 1, "0\nnan\n",
         "tedsscale: 5: the line has no field 2"},
        {"an image with no scale", {realImagePath("Voltage.hex"), "1"}, "", 2, "", "%MinElecVal"},
        {"a template past the last", {accel, "--template", "1", "1"}, "", 2, "", "no template 1"},
        {"values twice", {accel, "--column", "1", "1"}, "", 2, "", "does not go with values"},
        {"image and values from standard input", {"-"}, "", 2, "", "the values must be given as arguments"},
        {"a cold junction that is no number", {tc, "--cjc", "warm", "1"}, "", 2, "", "--cjc takes a temperature"},
        {"no image", {"--inverse"}, "", 2, "", "no image given"},
    };
    for (const Refusal& c : cases) {
        const testing::ToolResult run = runScaler(c.args, c.input);
        EXPECT_EQ(run.status, c.status) << c.what << ": " << run.err;
        EXPECT_EQ(run.out, c.out) << c.what;
        EXPECT_NE(run.err.find(c.errPart), std::string::npos) << c.what << ": " << run.err;
        if (c.status == 2) {
            EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << c.what << ": " << run.err;
        }
    }
}

TEST(TedsscaleTest, ReadsAColumnOfACsvFileBelowItsHeader) {
    const testing::ToolResult run =
        runScaler({realImagePath("Accelerometer.hex"), "--column", "2"}, "time, volts\r\n0, 49.03\r\n\r\n1,-98.06,x\r\n");
    EXPECT_EQ(run.status, 0) << run.err;
    const std::vector<double> numbers = numbersOf(run.out);
    ASSERT_EQ(numbers.size(), 2u) << run.out;
    EXPECT_NEAR(numbers[0], 9.807, 0.01);
    EXPECT_NEAR(numbers[1], -19.61, 0.01);
}

TEST(LineReaderTest, CutsEndlessLinesAndDropsTheirRest) {
    std::istringstream in("1\r\n" + std::string(tedsscale::kMaxLineBytes + 70000, '9') + "\n2");
    tedsscale::LineReader lines(in);
    EXPECT_EQ(lines.next(), "1");
    const auto cut = lines.next();
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->size(), tedsscale::kMaxLineBytes);
    EXPECT_EQ(lines.next(), "2");
    EXPECT_EQ(lines.next(), std::nullopt);
}

TEST(TedsdumpScaleTest, JsonCarriesEachTemplatesScaleOnlyWhenAsked) {
    const std::string tc = realImagePath("TempTC.hex");
    const json plain = json::parse(runTool({"--json", tc}).out)["templates"][0];
    EXPECT_FALSE(plain.contains("scale"));
    const json scale = json::parse(runTool({"--json", "--scale", "--cjc", "25", tc}).out)["templates"][0]["scale"];
    EXPECT_EQ(scale["kind"], "thermocouple");
    EXPECT_EQ(scale["inputUnit"], "V");
    EXPECT_EQ(scale["outputUnit"], "degC");
    ASSERT_EQ(scale["validInput"].size(), 2u);
    EXPECT_TRUE(scale["validInput"][0].is_number());
    EXPECT_FALSE(scale["notes"].empty());
    const json none =
        json::parse(runTool({"--json", "--scale", realImagePath("Voltage.hex")}).out)["templates"][0]["scale"];
    EXPECT_NE(none["reason"].get<std::string>().find("%MinElecVal"), std::string::npos) << none.dump();
    EXPECT_EQ(none.size(), 1u);
}

TEST(TedsdumpScaleTest, TableAddsABlockAfterEachTemplate) {
    const testing::ToolResult run = runTool({"--scale", "--excitation", "10", realImagePath("ForceBridge.hex")});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> lines = testing::linesStartingWith(run.out, "  Scale  ");
    ASSERT_EQ(lines.size(), 1u) << run.out;
    EXPECT_EQ(lines[0].rfind("  Scale  two-point: V -> ", 0), 0u) << lines[0];
    EXPECT_NE(runTool({"--scale", realImagePath("LVDT.hex")}).out.find("\n  Scale  none: "), std::string::npos);
}

}  // namespace
}  // namespace tedsdump
