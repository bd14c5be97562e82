#pragma once
// Turns the raw bits of one property field into a value and back, by data type.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "teds/types/BitReader.hpp"
#include "teds/types/BitWriter.hpp"
#include "teds/types/ValueRecord.hpp"
#include "teds/types/DataType.hpp"

namespace teds::types {

// What a property tells the codec about its field.
struct FieldSpec {
    std::uint32_t sz = 0;        // width in bits
    DataType dataType = DataType::Unint;
    double start = 0.0;          // ConRes / ConRelRes
    double step = 0.0;           // resolution (ConRes) or tolerance (ConRelRes)
    std::optional<std::uint64_t> fixedRaw;  // takes the place of the bits
};

// The widest field whose raw number a value of this type keeps whole: 64
// bits for the numbers (UNINT, DATE, ConRes, ConRelRes, an enumeration's
// index, and so a select case's selector and a struct array's count), 32
// for a Single, which is a float's bits. Wider fields would lose bits, so
// the loader refuses them. Types that keep no number (texts, Bit_Digit,
// BitBin) have no limit.
inline constexpr std::uint32_t kWidestWholeNumber = 64;
constexpr std::uint32_t widestWholeField(DataType type) {
    switch (type) {
    case DataType::Date:
    case DataType::Unint:
    case DataType::EnumType:
    case DataType::ConRelRes:
    case DataType::ConRes: return kWidestWholeNumber;
    case DataType::Single: return 32;
    default: return UINT32_MAX;
    }
}

// All ones in a field of `sz` bits (its low 64): the "no value" pattern of
// a number. sz 0 gives 0, which is what reading nothing yields.
std::uint64_t noValuePattern(std::uint32_t sz);

// The low `sz` bits of a raw number: what a field of that width keeps.
std::uint64_t fieldBitsOf(std::uint64_t raw, std::uint32_t sz);

// Numeric types (DATE, UNINT, Bit_Digit, BitBin, ConRelRes, ConRes, Single
// and any unknown code): the value the field's bits of `raw` stand for, no
// value for the all-ones pattern of the field's width. Empty when the type
// yields no record.
//
// A field of up to 64 bits is read whole (a wider one, which the loader
// refuses, keeps its first 64). ConRes scales the whole raw number. A
// ConRelRes raw number is a signed exponent: the low 32 bits as a signed
// 32-bit number in fields of up to 32 bits, so narrower fields hold only
// exponents from 0 up; in wider fields the field's own two's complement,
// which extends that rule and keeps all ones at -1. A Single reads the low
// 32 bits as a float.
std::optional<Value> numericValueOf(const FieldSpec& field, std::uint64_t raw);

// Reads a numeric field (or takes its fixed raw number, which is never "no
// value") into `value`, in place. False when the type yields no record; the
// bits are consumed either way.
bool decodeNumeric(BitReader& in, const FieldSpec& field, Value& value);

// Text types (CHR5, ASCII, Unicode, STRING5, STRING7, STRING16), appended
// to `text`. Characters that would lie wholly
// past the end of the image are not appended, so a huge count costs no
// more than the image.
void decodeText(BitReader& in, std::uint32_t sz, DataType dataType, std::string& text);

// Each reads up to `count` characters and appends them to `text`.
bool readChr5Chars(BitReader& in, std::uint64_t count, std::string& text);
bool readAsciiChars(BitReader& in, std::uint64_t count, std::string& text);
bool readUnicodeChars(BitReader& in, std::uint64_t count, std::string& text);

// Appends the UTF-8 form of one 16-bit code unit (surrogates are not paired).
void appendUtf8(std::uint16_t codeUnit, std::string& text);

// The 16-bit code units of UTF-8 text of one- to three-byte sequences, the
// inverse of appendUtf8; false for text that is not of that form.
bool utf8ToCodeUnits(std::string_view text, std::vector<std::uint16_t>& units);

enum class FieldWrite {
    Written,             // and reads back as the value
    Refused,             // a type with no encoding, a value of another form, or the stream is full
    NoRawNumber,         // a scaled real with no raw number in the field's range
    ReadsBackOtherwise,  // written, but its reader would see another value
};

// Writes a value as the field's bits, the inverse of decoding them: the
// all-ones pattern for no value, the raw number or characters otherwise. A
// ConRes or ConRelRes value is rounded to the nearest raw number, which must
// lie in the signed 32-bit range (ConRes: 0 to 2^31 - 1) or, in a field of
// 32 bits or more, in the field's own range (ConRes: 0 to 2^sz - 1;
// ConRelRes: its two's complement). What the field's reader would make of
// the bits is known without reading them: a number its field cannot hold
// (which loses its high bits), one that lands on the all-ones pattern, a
// text longer than its field or with characters its code lacks each read
// back as something else.
FieldWrite encodeField(BitWriter& out, const FieldSpec& field, const Value& value);

}  // namespace teds::types
