#pragma once
// What a record's value holds, for checks, and plain numbers and texts as
// values. A value of another kind than asked for throws, failing the test.

#include <cstdint>
#include <span>
#include <string_view>
#include <variant>

#include "teds/types/ValueRecord.hpp"

namespace teds::testing {

// An unsigned number, a date's day count or a select marker's case.
inline std::uint64_t heldWhole(const types::Value& value) {
    if (const auto* date = std::get_if<types::DateValue>(&value)) return date->days;
    if (const auto* marker = std::get_if<types::SelectMarkerValue>(&value)) return marker->selector;
    return std::get<types::UnsignedValue>(value).value;
}
inline double heldReal(const types::Value& value) { return std::get<types::RealValue>(value).value; }
inline std::string_view heldText(const types::Value& value) { return std::get<types::TextValue>(value).text; }
inline const types::EnumValue& heldEnum(const types::Value& value) { return std::get<types::EnumValue>(value); }
inline std::span<const types::StructElement> heldElements(const types::Value& value) {
    return std::get<types::StructArrayValue>(value).elements;
}

inline types::Value valueOf(std::uint64_t number) { return types::UnsignedValue{number}; }
inline types::Value valueOf(double number) { return types::RealValue{number}; }
// A text value refers to `text`, which must outlive it.
inline types::Value valueOf(std::string_view text) { return types::TextValue{text}; }
inline types::Value valueOf(const char* text) { return types::TextValue{text}; }

}  // namespace teds::testing
