#pragma once
// Dates as Visual Basic and OLE Automation hold them.

#include <cstdint>

namespace teds::vb6dll {

// Days from 1899-12-30, where automation dates count from, to 1998-01-01,
// where TEDS dates count from.
inline constexpr double kTedsEpochAsOleDate = 35796.0;

// An automation date (days since 1899-12-30) for a TEDS day count.
// Plain arithmetic rather than a calendar: every day count has an
// automation date (the nearest double beyond 2^53 days), while a calendar
// ends in the year 9999 and would throw for counts beyond it. Inside the
// calendar the two agree.
inline double oleDateFromTedsDays(std::uint64_t days) {
    return static_cast<double>(days) + kTedsEpochAsOleDate;
}

}  // namespace teds::vb6dll
