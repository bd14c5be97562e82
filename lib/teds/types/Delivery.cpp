#include "teds/types/Delivery.hpp"

#include <boost/locale/encoding_utf.hpp>

namespace teds::types {

std::u16string utf8ToUtf16(std::string_view utf8) {
    // Texts hold whatever bytes the image had; a caller gets every valid
    // character rather than an error for the first bad byte.
    return boost::locale::conv::utf_to_utf<char16_t>(utf8.data(), utf8.data() + utf8.size(),
                                                      boost::locale::conv::skip);
}

// Days from 1899-12-30, where automation dates count from, to 1998-01-01,
// where TEDS dates count from.
constexpr double kTedsEpochAsOleDate = 35796.0;

double oleDateFromTedsDays(std::uint64_t days) {
    // Plain arithmetic rather than a calendar: every day count has an
    // automation date (the nearest double beyond 2^53 days), while a calendar
    // ends in the year 9999 and would throw for counts beyond it. Inside the
    // calendar the two agree.
    return static_cast<double>(days) + kTedsEpochAsOleDate;
}

}  // namespace teds::types
