#include <gtest/gtest.h>

#include "Options.hpp"

namespace tedsdump {
namespace {

using Args = std::vector<std::string>;

TEST(OptionsTest, NothingGivenReadsStandardInputWithBundledTemplates) {
    const ParsedOptions parsed = parseOptions({});
    ASSERT_TRUE(parsed.ok());
    EXPECT_TRUE(parsed.options.tdlFiles.empty());
    EXPECT_EQ(parsed.options.imagePath(), "-");
    EXPECT_FALSE(parsed.options.imageGiven());
}

TEST(OptionsTest, TemplateFilesKeepTheirOrderInBothSpellings) {
    const ParsedOptions parsed = parseOptions({"--tdl", "b.tdl", "image.hex", "--tdl=a.tdl", "--tdl", "c.tdl"});
    ASSERT_TRUE(parsed.ok()) << parsed.error;
    EXPECT_EQ(parsed.options.tdlFiles, (Args{"b.tdl", "a.tdl", "c.tdl"}));
    EXPECT_EQ(parsed.options.imagePath(), "image.hex");
}

TEST(OptionsTest, FlagsAndADashForStandardInput) {
    const ParsedOptions parsed = parseOptions({"--json", "-", "--trace", "--dump-templates"});
    ASSERT_TRUE(parsed.ok()) << parsed.error;
    EXPECT_TRUE(parsed.options.json);
    EXPECT_TRUE(parsed.options.trace);
    EXPECT_TRUE(parsed.options.dumpTemplates);
    EXPECT_TRUE(parsed.options.imageGiven());
    EXPECT_EQ(parsed.options.imagePath(), "-");
}

TEST(OptionsTest, AfterTwoDashesAnArgumentIsAPath) {
    const ParsedOptions parsed = parseOptions({"--", "--json"});
    ASSERT_TRUE(parsed.ok()) << parsed.error;
    EXPECT_FALSE(parsed.options.json);
    EXPECT_EQ(parsed.options.imagePath(), "--json");
}

struct UsageErrorCase {
    Args args;
    const char* errorPart;
};

class UsageErrorTest : public ::testing::TestWithParam<UsageErrorCase> {};

TEST_P(UsageErrorTest, IsRefusedWithAReason) {
    const ParsedOptions parsed = parseOptions(GetParam().args);
    EXPECT_FALSE(parsed.ok());
    EXPECT_NE(parsed.error.find(GetParam().errorPart), std::string::npos) << parsed.error;
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, UsageErrorTest,
    ::testing::Values(UsageErrorCase{{"--tdl"}, "--tdl needs"}, UsageErrorCase{{"--tdl="}, "--tdl needs"},
                      UsageErrorCase{{"--convert=ted", "-o", "x", "a.hex", "b.hex"}, "writes one image"},
                      UsageErrorCase{{"--csv", "--jsonl", "a"}, "only one of them"},
                      UsageErrorCase{{"--today", "2026-02-30"}, "YYYY-MM-DD, not '2026-02-30'"},
                      UsageErrorCase{{"--expect="}, "--expect needs"},
                      UsageErrorCase{{"--check", "--convert=ted", "-o", "x"}, "--check does not go"},
                      UsageErrorCase{{"--jsn"}, "unknown option '--jsn'"}, UsageErrorCase{{"-j"}, "unknown option"},
                      UsageErrorCase{{"--input-format", "Hex"}, "not 'Hex'"},
                      UsageErrorCase{{"--input-format"}, "needs a format"},
                      UsageErrorCase{{"--convert=ted"}, "needs -o"},
                      UsageErrorCase{{"-o", "out.ted"}, "-o is for --convert"},
                      UsageErrorCase{{"--convert", "ted", "-o", "out.ted", "--json"}, "--json does not go"},
                      UsageErrorCase{{"--cjc", "25", "a.hex"}, "--cjc is given to the scales, so it goes with --scale"},
                      UsageErrorCase{{"--scale", "--excitation=0"}, "--excitation takes a positive number of volts"}));

TEST(OptionsTest, FormatsInBothSpellings) {
    const ParsedOptions parsed = parseOptions({"--input-format=eeprom", "--convert", "bits", "--output=out.txt", "in.hex"});
    ASSERT_TRUE(parsed.ok()) << parsed.error;
    EXPECT_EQ(parsed.options.inputFormat, teds::container::Format::Eeprom);
    EXPECT_EQ(parsed.options.convertTo, teds::container::Format::Bits);
    EXPECT_EQ(parsed.options.outputPath, "out.txt");
    EXPECT_EQ(parsed.options.imagePath(), "in.hex");
}

}  // namespace
}  // namespace tedsdump
