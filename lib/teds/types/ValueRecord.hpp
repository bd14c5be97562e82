#pragma once
// One decoded value, and the tree that struct arrays make of them.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
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
// disagree with it. A record owns nothing: what it refers to lives in the
// template that declared it or in the RecordStore beside its list, so a
// record is written once and never destroyed one by one.
struct NoValue {
    bool operator==(const NoValue&) const = default;
};
struct TextValue {
    std::string_view text;  // 16-bit characters held as UTF-8
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
struct EnumValue {
    std::uint64_t index = 0;
    std::string_view text;  // the enumeration's entry, or the fixed text
    bool operator==(const EnumValue&) const = default;
};
struct StructArrayValue {
    std::span<const StructElement> elements;
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

// A record reads its name from its declaration rather than keeping a copy
// of the view: at 40 bytes, the list of a whole template fits the
// allocator's small-block cache.
struct ValueRecord {
    Value value;
    // The declaration that produced the value; owned by the parser's templates.
    const PropertyDescription* property = nullptr;

    ValueKind kind() const { return static_cast<ValueKind>(value.index()); }
    // The declaration's name (a select marker's is empty); empty too for a
    // record with no declaration.
    std::string_view name() const { return property != nullptr ? std::string_view(property->name) : std::string_view(); }
    bool operator==(const ValueRecord&) const = default;
};

static_assert(std::is_trivially_copyable_v<ValueRecord> && std::is_trivially_destructible_v<ValueRecord>);

using teds::Overloaded;

inline bool StructArrayValue::operator==(const StructArrayValue& other) const {
    return std::ranges::equal(elements, other.elements);
}

}  // namespace teds::types
