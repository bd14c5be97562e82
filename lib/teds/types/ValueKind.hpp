#pragma once

#include <cstdint>

namespace teds::types {

// What a decoded value is. The numbers are part of the library's contract:
// the query layer and the tool report them.
enum class ValueKind : std::int32_t {
    None = 0,          // the field held the no-value pattern
    Text = 1,          // byte string (16-bit characters held as UTF-8)
    Real = 2,          // 64-bit double
    Unsigned = 3,      // unsigned integer of up to 64 bits
    Date = 4,          // days since 1998-01-01
    Enumeration = 5,   // index with its text
    StructArray = 6,   // list of elements, each a list of records
    SelectMarker = 7,  // found by name, passed over by counting and position
};

}  // namespace teds::types
