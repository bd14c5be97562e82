#pragma once
// The three ways the query layer reaches a decoded value: counting, by
// position and by name. Struct arrays are walked depth-first; select-case
// markers are found by name only.

#include <cstdint>
#include <string_view>
#include <vector>

#include "teds/types/ValueRecord.hpp"

namespace teds::decode {

// Records that a position can select: struct arrays count their elements'
// records, select-case markers count nothing.
std::int32_t countValues(const std::vector<types::ValueRecord>& values);

// The record at `position` in depth-first order, or null. `position` is one
// counter shared by every level: on failure it holds what was still to be
// skipped, so an outer level goes on correctly. No record is copied.
const types::ValueRecord* selectByPosition(const std::vector<types::ValueRecord>& values, std::uint32_t& position);

// The record named exactly `name` (case-sensitive) at index `occurrence`
// among those so named, in depth-first order, or null. Struct arrays are
// searched, never matched themselves.
const types::ValueRecord* selectByName(const std::vector<types::ValueRecord>& values, std::string_view name,
                                       std::uint32_t occurrence);
// How many records selectByName can select.
std::int32_t countByName(const std::vector<types::ValueRecord>& values, std::string_view name);

}  // namespace teds::decode
