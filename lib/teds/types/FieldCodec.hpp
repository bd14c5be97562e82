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
    std::optional<std::uint32_t> fixedRaw;  // takes the place of the bits
};

// Numeric types (DATE, UNINT, Bit_Digit, BitBin, ConRelRes, ConRes, Single
// and any unknown code). The value is written into `value`, in place, and
// the record's kind returned: None for the all-ones "no value" pattern.
// Empty when the type yields no record; the bits are consumed either way.
std::optional<ValueKind> decodeNumeric(BitReader& in, const FieldSpec& field, Value& value);

// Text types (CHR5, ASCII, Unicode, STRING5, STRING7, STRING16), appended
// to `text`; the record's kind is Text. Characters that would lie wholly
// past the end of the image are not appended, so a huge count costs no
// more than the image.
void decodeText(BitReader& in, std::uint32_t sz, DataType dataType, std::string& text);

// Each reads up to `count` characters and appends them to `text`.
bool readChr5Chars(BitReader& in, std::uint32_t count, std::string& text);
bool readAsciiChars(BitReader& in, std::uint32_t count, std::string& text);
bool readUnicodeChars(BitReader& in, std::uint32_t count, std::string& text);

// Appends the UTF-8 form of one 16-bit code unit (surrogates are not paired).
void appendUtf8(std::uint16_t codeUnit, std::string& text);

// The 16-bit code units of UTF-8 text of one- to three-byte sequences, the
// inverse of appendUtf8; false for text that is not of that form.
bool utf8ToCodeUnits(std::string_view text, std::vector<std::uint16_t>& units);

// Writes a value back as the field's bits; false for types with no encoding,
// for a value of another form than the type holds, or when the stream
// refuses the bits (the image would outgrow its limit). A ConRes/ConRelRes value whose raw number does not fit
// 32 signed bits (for ConRes: 0 to 2^31 - 1) raises boost::math::rounding_error.
bool encodeField(BitWriter& out, const FieldSpec& field, const Value& value);

}  // namespace teds::types
