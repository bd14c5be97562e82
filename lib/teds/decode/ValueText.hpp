#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

#include "teds/types/ValueRecord.hpp"

namespace teds::decode {

// Writes a record's value as a person would read it: numbers in decimal,
// texts as they are, an enumeration's text with its index.
void writeValueText(std::ostream& out, const types::ValueRecord& record);

// The value as a person writes it to set it again: reals in the shortest
// text that reads back exactly, dates as YYYY-MM-DD, an enumeration by its
// text (by its index where it has none), "none" for no value, a struct array
// by its number of elements. Empty for a select-case marker.
std::string writtenValueText(const types::ValueRecord& record);

// The shortest decimal text that reads back to exactly `value`; "nan",
// "inf" and "-inf" for the values that have no decimal form.
std::string formatReal(double value);

// YYYY-MM-DD for a TEDS day count (days since 1998-01-01). Empty for counts
// that lie beyond 9999-12-31, where the calendar ends; a field of 22 bits or
// more can hold such a count.
std::optional<std::string> formatTedsDate(std::uint64_t days);

}  // namespace teds::decode
