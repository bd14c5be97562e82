#pragma once

#include <cstdint>

namespace teds::types {

// The IEEE 1451.4 data type of a property, as the TDL keyword names it.
enum class DataType : std::int32_t {
    Date = 1,       // DATE: days since 1998-01-01
    Unint = 2,      // UNINT
    BitDigit = 3,   // Bit_Digit: consumed, yields nothing
    BitBin = 4,     // BitBin: consumed, yields nothing
    EnumType = 5,   // a property typed by an ENUMERATE name
    Chr5 = 6,       // CHR5
    Ascii = 7,      // ASCII
    Unicode = 8,    // Unicode
    String5 = 9,    // STRING5: count, then 5-bit characters
    String7 = 10,   // STRING7: count, then 7-bit characters
    String16 = 11,  // STRING16: count, then 16-bit characters
    ConRelRes = 12, // start * (1 + 2 * tolerance)^n
    ConRes = 13,    // start + n * resolution
    Single = 14,    // IEEE 754 single precision
};

constexpr bool isTextType(DataType type) { return type >= DataType::Chr5 && type <= DataType::String16; }
// Texts whose width the template fixes, as opposed to the counted STRING types.
constexpr bool isFixedWidthText(DataType type) {
    return type == DataType::Chr5 || type == DataType::Ascii || type == DataType::Unicode;
}

}  // namespace teds::types
