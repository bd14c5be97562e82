#include <gtest/gtest.h>

#include "teds/container/HexText.hpp"

namespace teds::container {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct HexCase {
    const char* what;
    const char* text;
    std::optional<Bytes> bytes;
};

class HexTokenTest : public ::testing::TestWithParam<HexCase> {};

TEST_P(HexTokenTest, ParsesOrRefuses) {
    EXPECT_EQ(parseHexText(GetParam().text), GetParam().bytes) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Forms, HexTokenTest,
    ::testing::Values(HexCase{"blank separated", "11 22 a0", Bytes{0x11, 0x22, 0xA0}},
                      HexCase{"run together", "1122A0ff", Bytes{0x11, 0x22, 0xA0, 0xFF}},
                      HexCase{"commas and 0x", "0x11,0x22, 0XaB", Bytes{0x11, 0x22, 0xAB}},
                      HexCase{"0x before a run", "0x1122", Bytes{0x11, 0x22}},
                      HexCase{"CR LF lines, tabs, trailing comma", "11\t22\r\n33,\r\n", Bytes{0x11, 0x22, 0x33}},
                      HexCase{"odd digit count", "11 2", std::nullopt},
                      HexCase{"a lone prefix", "11 0x", std::nullopt},
                      HexCase{"not a hex digit", "11 2g", std::nullopt},
                      HexCase{"other separator", "11;22", std::nullopt},
                      HexCase{"prefix inside a token", "110x22", std::nullopt},
                      HexCase{"nothing but separators", " ,\n", std::nullopt}));

TEST(HexTextTest, TextMeansPrintableAsciiAndLineBreaksOnly) {
    EXPECT_TRUE(isText("ab 12\t\r\n~"));
    EXPECT_FALSE(isText(std::string("ab\0", 3)));
    EXPECT_FALSE(isText("caf\xC3\xA9"));
    EXPECT_FALSE(isText("\x1b[2J"));
}

TEST(HexTextTest, WritesWhatItReads) {
    const Bytes bytes{0x00, 0x0F, 0xA5, 0xFF};
    EXPECT_EQ(writeHexText(bytes), "000fa5ff\n");
    EXPECT_EQ(writeHexText(bytes, true), "000FA5FF\n");
    EXPECT_EQ(parseHexText(writeHexText(bytes)), bytes);
}

TEST(HexTextTest, UpperCaseMeansUpperCaseDigitsAndNoLowerCaseOnes) {
    const struct {
        const char* text;
        bool upper;
    } cases[] = {{"0A 1b", false}, {"0A 1B", true}, {"0X11 22", false}, {"0x0A", true}, {"0a 0B", false}};
    for (const auto& c : cases) EXPECT_EQ(spellsHexInUpperCase(c.text), c.upper) << c.text;
}

}  // namespace
}  // namespace teds::container
