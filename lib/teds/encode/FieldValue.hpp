#pragma once
// Turns a stated value into the record a property's field holds, or says why
// it cannot be held: out of the field's range or off its grid, characters its
// encoding lacks, a date before the TEDS calendar starts.

#include <optional>
#include <string>

#include "teds/encode/StatedTeds.hpp"
#include "teds/tdl/nodes/EnumProperty.hpp"
#include "teds/tdl/nodes/Property.hpp"
#include "teds/types/RecordStore.hpp"

namespace teds::encode {

struct FieldValue {
    std::optional<types::ValueRecord> record;  // exactly what decoding the field gives back
    std::string problem;                      // why there is no record
    std::string note;                         // the value was moved onto the field's grid
};

// `strict` refuses a real that is not on the field's grid instead of writing
// the nearest value the field holds. A text is kept in `store`.
FieldValue propertyValue(const tdl::nodes::Property& property, const StatedValue& value, bool strict,
                         types::RecordStore& store);
FieldValue enumValue(const tdl::nodes::EnumProperty& property, const StatedValue& value);

// The decimal number a text holds, digits only; empty for any other text.
std::optional<std::uint64_t> wholeNumberOf(const std::string& text);

// Days since 1998-01-01 for a YYYY-MM-DD text; empty for any other text.
std::optional<std::int64_t> tedsDayOf(const std::string& text);

}  // namespace teds::encode
