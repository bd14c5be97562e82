#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>

#include "teds/decode/ValueText.hpp"

namespace teds::decode {
namespace {

class RealRoundTripTest : public ::testing::TestWithParam<double> {};

TEST_P(RealRoundTripTest, ReadsBackToTheSameDouble) {
    const std::string text = formatReal(GetParam());
    EXPECT_EQ(std::strtod(text.c_str(), nullptr), GetParam()) << text;
}

INSTANTIATE_TEST_SUITE_P(
    Values, RealRoundTripTest,
    ::testing::Values(0.1, 1.0 / 3.0, 5e-7 * 1.0003, 0.010198178726543687, -0.050000000000000044, 1e300,
                      -2.5e-310 /* subnormal */, std::numeric_limits<double>::max(), 123456789.0));

TEST(RealTextTest, IsTheShortestForm) {
    EXPECT_EQ(formatReal(0.1), "0.1");
    EXPECT_EQ(formatReal(23.0), "23");
    EXPECT_EQ(formatReal(-200.0), "-200");
}

TEST(RealTextTest, NamesTheValuesWithoutDigits) {
    EXPECT_EQ(formatReal(std::nan("")), "nan");
    EXPECT_EQ(formatReal(std::numeric_limits<double>::infinity()), "inf");
    EXPECT_EQ(formatReal(-std::numeric_limits<double>::infinity()), "-inf");
}

struct DateCase {
    std::uint32_t days;
    std::optional<std::string> text;
};

class TedsDateTest : public ::testing::TestWithParam<DateCase> {};

TEST_P(TedsDateTest, CountsFromTheFirstOf1998) { EXPECT_EQ(formatTedsDate(GetParam().days), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(
    Days, TedsDateTest,
    ::testing::Values(DateCase{0, "1998-01-01"}, DateCase{365, "1999-01-01"}, DateCase{789, "2000-02-29"},
                      DateCase{65534, "2177-06-05"}, DateCase{2922669, "9999-12-31"},
                      // Beyond the calendar: no text, and no exception either.
                      DateCase{2922670, std::nullopt}, DateCase{0xFFFFFFFFu, std::nullopt}));

}  // namespace
}  // namespace teds::decode
