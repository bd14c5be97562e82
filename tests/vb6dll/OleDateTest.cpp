#include "teds/vb6dll/OleDate.hpp"

#include <cstdint>

#include <boost/date_time/gregorian/gregorian.hpp>
#include <gtest/gtest.h>

namespace teds::vb6dll {
namespace {

TEST(OleDate, CountsFromTheTedsEpoch) {
    EXPECT_EQ(oleDateFromTedsDays(0), 35796.0);    // 1998-01-01
    EXPECT_EQ(oleDateFromTedsDays(365), 36161.0);  // 1999-01-01
}

// Inside the calendar the plain sum is the calendar's own day difference.
TEST(OleDate, AgreesWithTheGregorianCalendar) {
    using namespace boost::gregorian;
    const date tedsEpoch(1998, Jan, 1);
    const date oleEpoch(1899, Dec, 30);
    for (const std::uint32_t n : {0u, 1u, 59u, 730u, 789u, 10000u, 36525u, 1000000u, 2914000u}) {
        const date d = tedsEpoch + days(n);
        EXPECT_EQ(oleDateFromTedsDays(n), static_cast<double>((d - oleEpoch).days())) << to_iso_extended_string(d);
    }
}

TEST(OleDate, EveryDayCountHasADate) {
    // Far past the calendar's last year; still a whole number of days.
    EXPECT_EQ(oleDateFromTedsDays(0xFFFFFFFFu), 4294967295.0 + 35796.0);
    EXPECT_EQ(oleDateFromTedsDays(0x10000003039u), 1099511640121.0 + 35796.0);  // the whole count, not its low 32 bits
}

}  // namespace
}  // namespace teds::vb6dll
