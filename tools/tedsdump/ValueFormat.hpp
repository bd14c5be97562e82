#pragma once
// How tedsdump writes one decoded value, whatever the output form: numbers,
// dates, and what the template says about the value (unit, description).

#include <cstdint>
#include <optional>
#include <string>

#include "teds/types/ValueRecord.hpp"

namespace tedsdump {

// The shortest decimal text that reads back to exactly `value`; "nan",
// "inf" and "-inf" for the values that have no decimal form.
std::string formatReal(double value);

// YYYY-MM-DD for a TEDS day count (days since 1998-01-01). Empty for counts
// that lie beyond 9999-12-31, where the calendar ends; a 32-bit field can
// hold such a count.
std::optional<std::string> formatTedsDate(std::uint32_t days);

// "real", "unsigned", "date", "text", "enum", "none" or "array"; empty for a
// select-case marker, which is not shown.
std::string kindName(teds::types::ValueKind kind);

// The unit text of the property that produced the record; empty when the
// property names no unit or the unit was not found.
std::optional<std::string> unitTextOf(const teds::types::ValueRecord& record);

// The property's description, or a struct array's comment.
std::string descriptionOf(const teds::types::ValueRecord& record);

}  // namespace tedsdump
