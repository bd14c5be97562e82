#pragma once
// How the interface states one decoded value, whatever the form it goes
// out in: the kind's name, and what the template says about the value
// (unit, description).

#include <optional>
#include <string>

#include "teds/types/ValueRecord.hpp"

namespace teds::api {

// "real", "unsigned", "date", "text", "enum", "none" or "array"; empty for a
// select-case marker, which is not shown.
std::string kindName(types::ValueKind kind);

// The unit text of the property that produced the record; none when the
// property names no unit or the unit was not found.
std::optional<std::string> unitTextOf(const types::ValueRecord& record);

// The property's description, or a struct array's comment.
std::string descriptionOf(const types::ValueRecord& record);

}  // namespace teds::api
