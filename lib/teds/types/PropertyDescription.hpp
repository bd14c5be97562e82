#pragma once
// What every decoded value can say about the declaration it came from.

#include <cstdint>
#include <string>

#include "teds/types/UnitRecord.hpp"
#include "teds_access.hpp"

namespace teds::types {

using Access = teds::Access;

// The declaration behind a value: each node that yields records owns one,
// and its records point at it.
struct PropertyDescription {
    std::string name;
    std::string description;  // the declaration's comment text
    std::string displayFormat;
    Access access = Access::Id;
    std::uint32_t width = 0;  // bits of its field (of its count field, for a struct array)
    // The unit a value property names, bound after loading; null for none.
    const UnitRecord* unit = nullptr;
    // The ENUMERATE an enumeration property names; empty for other properties.
    std::string enumeration;
    // True for declarations that hand out a unit text (value and enumeration
    // properties); struct arrays and select markers have none.
    bool hasUnitText = false;
};

}  // namespace teds::types
