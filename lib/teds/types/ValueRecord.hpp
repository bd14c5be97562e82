#pragma once
// One decoded value, and the tree that struct arrays make of them.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

#include "teds/types/PropertyDescription.hpp"
#include "teds/types/ValueKind.hpp"
#include "teds_overloaded.hpp"

namespace teds::types {

struct ValueRecord;
using StructElement = std::vector<ValueRecord>;
using StructElements = std::vector<StructElement>;

// One type per kind of value, in the order of ValueKind's numbers, so that
// a record's kind is the index of the alternative it holds and can never
// disagree with it.
struct NoValue {
    bool operator==(const NoValue&) const = default;
};
struct TextValue {
    std::string text;  // 16-bit characters held as UTF-8
    bool operator==(const TextValue&) const = default;
};
struct RealValue {
    double value = 0.0;
    bool operator==(const RealValue&) const = default;
};
// A field's whole raw number: templates declare unsigned fields, dates and
// select-case selectors of up to 64 bits.
struct UnsignedValue {
    std::uint64_t value = 0;
    bool operator==(const UnsignedValue&) const = default;
};
struct DateValue {
    std::uint64_t days = 0;  // since 1998-01-01
    bool operator==(const DateValue&) const = default;
};
// A record's name and an enumeration's text live in the template that
// produced the record, which outlives every decode: records refer to them
// rather than copy them. Only texts read from the image are owned.
struct EnumValue {
    std::uint64_t index = 0;
    std::string_view text;  // the enumeration's entry, or the fixed text
    bool operator==(const EnumValue&) const = default;
};
struct StructArrayValue {
    StructElements elements;
    bool operator==(const StructArrayValue&) const;
};
// The case a select took, kept so that it can be written back.
struct SelectMarkerValue {
    std::uint64_t selector = 0;
    bool operator==(const SelectMarkerValue&) const = default;
};

using Value = std::variant<NoValue, TextValue, RealValue, UnsignedValue, DateValue, EnumValue, StructArrayValue,
                           SelectMarkerValue>;

static_assert(std::variant_size_v<Value> == static_cast<std::size_t>(ValueKind::SelectMarker) + 1);
static_assert(std::is_same_v<std::variant_alternative_t<static_cast<std::size_t>(ValueKind::Date), Value>, DateValue>);
static_assert(std::is_same_v<std::variant_alternative_t<static_cast<std::size_t>(ValueKind::SelectMarker), Value>,
                             SelectMarkerValue>);

struct ValueRecord {
    std::string_view name;  // the declaration's name; empty for select markers
    Value value;
    // The declaration that produced the value; owned by the parser's templates.
    const PropertyDescription* property = nullptr;

    ValueKind kind() const { return static_cast<ValueKind>(value.index()); }
    bool operator==(const ValueRecord&) const = default;
};

using teds::Overloaded;

inline bool StructArrayValue::operator==(const StructArrayValue& other) const { return elements == other.elements; }

}  // namespace teds::types
