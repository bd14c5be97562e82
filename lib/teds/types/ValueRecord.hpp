#pragma once
// One decoded value, and the tree that struct arrays make of them.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <boost/variant.hpp>

#include "teds/types/PropertyDescription.hpp"
#include "teds/types/ValueKind.hpp"

namespace teds::types {

struct ValueRecord;
using StructElement = std::vector<ValueRecord>;
using StructElements = std::vector<StructElement>;

// A record's name and an enumeration's text live in the template that
// produced the record, which outlives every decode: records refer to them
// rather than copy them. Only texts read from the image are owned.
struct EnumValue {
    std::uint64_t index = 0;
    std::string_view text;  // the enumeration's entry, or the fixed text

    bool operator==(const EnumValue&) const = default;
};

// The alternatives in this order: unsigned, real, text, struct elements,
// enumeration value. Which one a record holds follows from its kind. The
// unsigned alternative holds a field's whole raw number: templates declare
// unsigned fields, dates and select-case selectors of up to 64 bits.
using Value = boost::variant<std::uint64_t, double, std::string, StructElements, EnumValue>;

struct ValueRecord {
    std::string_view name;  // the declaration's name; empty for select markers
    ValueKind kind = ValueKind::None;
    Value value;
    // The declaration that produced the value; owned by the parser's templates.
    const PropertyDescription* property = nullptr;

    bool operator==(const ValueRecord&) const = default;
};

}  // namespace teds::types
