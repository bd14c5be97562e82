#include "teds/types/Delivery.hpp"

#include <cstdint>
#include <string>

#include <boost/date_time/gregorian/gregorian.hpp>
#include <gtest/gtest.h>

namespace teds::types {
namespace {

TEST(Utf8ToUtf16, ConvertsValidText) {
    EXPECT_EQ(utf8ToUtf16(""), u"");
    EXPECT_EQ(utf8ToUtf16("Temp, C"), u"Temp, C");
    EXPECT_EQ(utf8ToUtf16("\xC3\xA9\xE2\x82\xAC"), u"\u00E9\u20AC");
    // Outside the 16-bit range: a surrogate pair.
    EXPECT_EQ(utf8ToUtf16("\xF0\x9F\x98\x80"), u"\U0001F600");
    EXPECT_EQ(utf8ToUtf16(std::string("a\0b", 3)), std::u16string(u"a\0b", 3));
}

TEST(Utf8ToUtf16, DropsWhatIsNotUtf8AndKeepsTheRest) {
    const struct {
        const char* what;
        std::string in;
        std::u16string out;
    } cases[] = {
        {"stray byte", "a\xFF" "b", u"ab"},
        {"lone continuation byte", "a\x80" "b", u"ab"},
        {"sequence cut by the end", "a\xE2\x82", u"a"},
        {"overlong form", "\xC0\xAF" "x", u"x"},
        // A 16-bit surrogate decoded on its own takes this form; it is not
        // a character, so it does not reach the caller.
        {"encoded surrogate", "\xED\xA0\xBD" "z", u"z"},
    };
    for (const auto& c : cases) EXPECT_EQ(utf8ToUtf16(c.in), c.out) << c.what;
}

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
}  // namespace teds::types
