#pragma once
// How tedsdump writes one decoded value, whatever the output form: numbers,
// dates, and what the template says about the value (unit, description).

#include <cstdint>
#include <optional>
#include <string>

#include "teds/decode/ValueText.hpp"
#include "teds/types/ValueRecord.hpp"

namespace tedsdump {

using teds::decode::formatReal;
using teds::decode::formatTedsDate;

// "real", "unsigned", "date", "text", "enum", "none" or "array"; empty for a
// select-case marker, which is not shown.
std::string kindName(teds::types::ValueKind kind);

// The unit text of the property that produced the record; empty when the
// property names no unit or the unit was not found.
std::optional<std::string> unitTextOf(const teds::types::ValueRecord& record);

// The property's description, or a struct array's comment.
std::string descriptionOf(const teds::types::ValueRecord& record);

}  // namespace tedsdump
