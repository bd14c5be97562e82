#include "teds/types/FieldCodec.hpp"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string_view>
#include <vector>

#include "teds/types/Chr5.hpp"

namespace teds::types {
namespace {

// Bits a ConRelRes exponent is signed in: 32 for fields up to 32 bits, whose
// raw number has always been read as a signed 32-bit word, else the field's.
std::uint32_t exponentBits(std::uint32_t sz) { return std::clamp<std::uint32_t>(sz, 32, 64); }

std::int64_t exponentOf(std::uint64_t raw, std::uint32_t sz) {
    const std::uint64_t signBit = std::uint64_t{1} << (exponentBits(sz) - 1);
    const std::uint64_t low = raw & ((signBit << 1) - 1u);  // signBit << 1 is 0 at 64 bits: all ones
    // Sign extension in unsigned arithmetic; the conversion wraps.
    return static_cast<std::int64_t>((low ^ signBit) - signBit);
}

// (1 + 2 * tolerance)^n by squaring, so that the product is formed in the
// same order on every target.
double conRelResPower(double base, std::int64_t exponent) {
    const bool negative = exponent < 0;
    // Unsigned negation gives the magnitude, INT64_MIN's 2^63 included.
    const auto bits = static_cast<std::uint64_t>(exponent);
    std::uint64_t remaining = negative ? 0u - bits : bits;
    double result = 1.0;
    while (remaining != 0) {
        if (remaining & 1u) result *= base;
        base *= base;
        remaining >>= 1;
    }
    return negative ? 1.0 / result : result;
}

// `v` rounded half away from zero, if it lies in [low, high): powers of two
// (or 0), so the bounds are exact doubles on every target and the result
// converts to a 64-bit integer without overflow. Not for NaN and infinities.
std::optional<double> roundedWithin(double v, double low, double high) {
    const double r = std::round(v);
    if (!std::isfinite(v) || r < low || r >= high) return std::nullopt;
    return r;
}

// The ConRes raw number nearest to (value - start) / step. The quotient of
// a decoded value is often a hair below its raw number (start -40, step
// 0.01, raw 1 decodes to -39.99, and (-39.99 + 40) / 0.01 is 0.99999...),
// so truncating it would write the number below; rounding gives back the
// raw number the value was decoded from. A raw number is unsigned, so a
// quotient that rounds below 0 has none. Below 2^31 as it has always been,
// or anywhere in a field of 32 bits or more.
std::optional<std::uint64_t> conResRaw(double q, std::uint32_t sz) {
    const double end = std::ldexp(1.0, static_cast<int>(std::clamp<std::uint32_t>(sz, 31, 64)));
    const auto r = roundedWithin(q, 0.0, end);
    return r ? std::optional<std::uint64_t>(static_cast<std::uint64_t>(*r)) : std::nullopt;
}

// A negative exponent goes out in two's complement, which is how it decodes.
std::optional<std::uint64_t> conRelResRaw(double exponent, std::uint32_t sz) {
    const double half = std::ldexp(1.0, static_cast<int>(exponentBits(sz)) - 1);
    const auto r = roundedWithin(exponent, -half, half);
    if (!r) return std::nullopt;
    return static_cast<std::uint64_t>(static_cast<std::int64_t>(*r));
}

bool writeText(BitWriter& out, std::string_view text, std::uint32_t bitsPerChar, bool chr5) {
    for (const char c : text) {
        const std::uint32_t code = chr5 ? charToChr5(c) : static_cast<unsigned char>(c);
        if (!out.writeBits(bitsPerChar, code)) return false;
    }
    return true;
}

// The 16-bit units of a text, as decodeText reads them back: each unit was
// appended as UTF-8 of its own, so three bytes at most make one unit.
bool writeUnicodeText(BitWriter& out, std::string_view text) {
    std::vector<std::uint16_t> units;
    if (!utf8ToCodeUnits(text, units)) return false;
    for (const std::uint16_t unit : units)
        if (!out.writeBits(16, unit)) return false;
    return true;
}

// Fills a fixed-width text field up to its width with characters of code 0,
// the zeros a text cut by the end of its image lacks; a person's shorter
// text has been filled up with blanks before it gets here.
bool padField(BitWriter& out, std::uint64_t from, std::uint64_t width) {
    for (std::uint64_t written = out.position() - from; written < width;) {
        const auto n = static_cast<std::uint32_t>(std::min<std::uint64_t>(width - written, 32));
        if (!out.writeBits(n, 0)) return false;
        written += n;
    }
    return true;
}

// A STRING type: the character count in the field's width, then the characters.
bool writeCountedText(BitWriter& out, std::uint32_t sz, std::string_view text, DataType dataType) {
    std::size_t count = text.size();
    if (dataType == DataType::String16) {
        std::vector<std::uint16_t> units;
        if (!utf8ToCodeUnits(text, units)) return false;
        count = units.size();
    }
    if (sz < 64 && (std::uint64_t{count} >> sz) != 0) return false;
    if (!out.writeBits(sz, count)) return false;
    switch (dataType) {
    case DataType::String5: return writeText(out, text, 5, true);
    case DataType::String7: return writeText(out, text, 7, false);
    default: return writeUnicodeText(out, text);
    }
}

// Single is written as the bits of the float the double narrows to; with
// IEEE 754 floats a double beyond the float range narrows to an infinity.
static_assert(std::numeric_limits<float>::is_iec559, "Single fields assume IEEE 754 floats");

}  // namespace

std::uint64_t noValuePattern(std::uint32_t sz) { return sz >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << sz) - 1u; }

namespace {

// The value a raw number stands for, written into `value` in place; `noValue`
// when it is the field's all-ones pattern. False for types that yield none.
bool valueOfRaw(const FieldSpec& field, std::uint64_t n, bool noValue, Value& value) {
    switch (field.dataType) {
    case DataType::Date:
        if (noValue)
            value.emplace<NoValue>();
        else
            value.emplace<DateValue>(DateValue{n});
        return true;
    case DataType::Unint:
        if (noValue)
            value.emplace<NoValue>();
        else
            value.emplace<UnsignedValue>(UnsignedValue{n});
        return true;
    case DataType::ConRelRes:
        if (noValue)
            value.emplace<NoValue>();
        else
            value.emplace<RealValue>(RealValue{field.start * conRelResPower(1.0 + 2.0 * field.step, exponentOf(n, field.sz))});
        return true;
    case DataType::ConRes:
        if (noValue)
            value.emplace<NoValue>();
        else
            value.emplace<RealValue>(RealValue{static_cast<double>(n) * field.step + field.start});
        return true;
    case DataType::Single:
        // An all-ones field is a NaN and is delivered as one.
        value.emplace<RealValue>(RealValue{static_cast<double>(std::bit_cast<float>(static_cast<std::uint32_t>(n)))});
        return true;
    default:
        // Bit_Digit, BitBin and codes with no numeric meaning: the bits are
        // gone, no value is produced.
        return false;
    }
}

// The raw number a numeric field is written with, the inverse of valueOfRaw:
// no value is the all-ones pattern.
struct Raw {
    FieldWrite failure = FieldWrite::Written;
    std::uint64_t n = 0;
};

Raw rawOf(const FieldSpec& field, const Value& value) {
    const auto refused = Raw{FieldWrite::Refused, 0};
    if (std::holds_alternative<NoValue>(value)) return Raw{FieldWrite::Written, noValuePattern(field.sz)};
    const auto scaled = [&](std::optional<std::uint64_t> raw) {
        return raw ? Raw{FieldWrite::Written, *raw} : Raw{FieldWrite::NoRawNumber, 0};
    };
    switch (field.dataType) {
    case DataType::Date:
    case DataType::Unint:
        // An unsigned field takes a whole number whether it stands for a count or a date.
        if (const auto* n = std::get_if<UnsignedValue>(&value)) return Raw{FieldWrite::Written, n->value};
        if (const auto* days = std::get_if<DateValue>(&value)) return Raw{FieldWrite::Written, days->days};
        return refused;
    case DataType::ConRelRes:
        if (const auto* v = std::get_if<RealValue>(&value))
            return scaled(conRelResRaw(std::log(v->value / field.start) / std::log(1.0 + 2.0 * field.step), field.sz));
        return refused;
    case DataType::ConRes:
        if (const auto* v = std::get_if<RealValue>(&value))
            return scaled(conResRaw((v->value - field.start) / field.step, field.sz));
        return refused;
    case DataType::Single:
        if (const auto* v = std::get_if<RealValue>(&value))
            return Raw{FieldWrite::Written, std::bit_cast<std::uint32_t>(static_cast<float>(v->value))};
        return refused;
    default:
        return refused;
    }
}

}  // namespace

std::uint64_t fieldBitsOf(std::uint64_t raw, std::uint32_t sz) { return raw & noValuePattern(sz); }

std::optional<Value> numericValueOf(const FieldSpec& field, std::uint64_t raw) {
    const std::uint64_t n = fieldBitsOf(raw, field.sz);
    Value value;
    if (!valueOfRaw(field, n, n == noValuePattern(field.sz), value)) return std::nullopt;
    return value;
}

// Decoding is the hot path: the value goes straight into its record.
bool decodeNumeric(BitReader& in, const FieldSpec& field, Value& value) {
    if (field.fixedRaw) return valueOfRaw(field, *field.fixedRaw, false, value);
    const std::uint64_t n = in.readBits(field.sz);
    return valueOfRaw(field, n, n == noValuePattern(field.sz), value);
}

void appendUtf8(std::uint16_t u, std::string& text) {
    if (u < 0x80u) {
        text += static_cast<char>(u);
    } else if (u < 0x800u) {
        text += static_cast<char>(0xC0u | (u >> 6));
        text += static_cast<char>(0x80u | (u & 0x3Fu));
    } else {
        text += static_cast<char>(0xE0u | (u >> 12));
        text += static_cast<char>(0x80u | ((u >> 6) & 0x3Fu));
        text += static_cast<char>(0x80u | (u & 0x3Fu));
    }
}

// The character counts come from the image or the template and can be far
// larger than the image. Once the image is used up every further character
// would be made of zero fill alone, so the loops stop there: the position
// cannot move past the end anyway, and the text stays bounded by the image.
bool readChr5Chars(BitReader& in, std::uint64_t count, std::string& text) {
    for (std::uint64_t i = 0; i < count && in.hasMore(); ++i)
        text += chr5ToChar(static_cast<std::uint32_t>(in.readBits(5)));
    return true;
}

bool readAsciiChars(BitReader& in, std::uint64_t count, std::string& text) {
    for (std::uint64_t i = 0; i < count && in.hasMore(); ++i)
        text += static_cast<char>(in.readBits(7));
    return true;
}

bool readUnicodeChars(BitReader& in, std::uint64_t count, std::string& text) {
    for (std::uint64_t i = 0; i < count && in.hasMore(); ++i)
        appendUtf8(static_cast<std::uint16_t>(in.readBits(16)), text);
    return true;
}

// The characters a text field whose width the template fixes holds.
std::uint64_t fixedTextCharacters(std::uint32_t sz, DataType dataType) {
    switch (dataType) {
    case DataType::Chr5: return sz / 5;
    case DataType::Ascii: return sz / 7;
    default: return sz >> 4;
    }
}

// The bits of a text field whose width the template fixes: its whole
// characters. 0 for the counted texts, whose width the image says.
std::uint64_t fixedTextBits(std::uint32_t sz, DataType dataType) {
    switch (dataType) {
    case DataType::Chr5: return std::uint64_t{sz / 5} * 5;
    case DataType::Ascii: return std::uint64_t{sz / 7} * 7;
    case DataType::Unicode: return std::uint64_t{sz >> 4} * 16;
    default: return 0;
    }
}

void decodeText(BitReader& in, std::uint32_t sz, DataType dataType, std::string& text) {
    const auto countField = [&] { return in.readBits(sz); };
    const std::uint64_t start = in.fieldPosition();
    switch (dataType) {
    case DataType::Chr5: readChr5Chars(in, sz / 5, text); break;
    case DataType::Ascii: readAsciiChars(in, sz / 7, text); break;
    case DataType::Unicode: readUnicodeChars(in, sz >> 4, text); break;
    case DataType::String5: readChr5Chars(in, countField(), text); break;
    case DataType::String7: readAsciiChars(in, countField(), text); break;
    case DataType::String16: readUnicodeChars(in, countField(), text); break;
    default: break;  // not a text type: nothing to read
    }
    // A fixed-width text cut by the end of the image keeps only what starts
    // inside it, but its field still ends where the template says: the
    // characters it lacks count among the bits the template ran past the end,
    // as a number's would, and an encoder lays the field out whole.
    if (const std::uint64_t read = in.fieldPosition() - start, width = fixedTextBits(sz, dataType); read < width)
        in.skipPastEnd(width - read);
}

bool utf8ToCodeUnits(std::string_view text, std::vector<std::uint16_t>& units) {
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = [&](std::size_t k) { return static_cast<std::uint32_t>(static_cast<unsigned char>(text[k])); };
        const std::uint32_t lead = byte(i);
        std::size_t length = lead < 0x80u ? 1 : (lead & 0xE0u) == 0xC0u ? 2 : (lead & 0xF0u) == 0xE0u ? 3 : 0;
        if (length == 0 || i + length > text.size()) return false;
        std::uint32_t unit = length == 1 ? lead : lead & (length == 2 ? 0x1Fu : 0x0Fu);
        for (std::size_t k = 1; k < length; ++k) {
            if ((byte(i + k) & 0xC0u) != 0x80u) return false;
            unit = (unit << 6) | (byte(i + k) & 0x3Fu);
        }
        units.push_back(static_cast<std::uint16_t>(unit));
        i += length;
    }
    return true;
}

namespace {

// Whether a numeric field read back says what was meant: exactly, for
// singles as the nearest float, for scaled reals within the one step that
// rounding may cost.
bool readsBackAs(const Value& wanted, const std::optional<Value>& got, const FieldSpec& field) {
    if (!got || wanted.index() != got->index()) return false;
    const auto* want = std::get_if<RealValue>(&wanted);
    if (want == nullptr) return wanted == *got;
    const double have = std::get_if<RealValue>(&*got)->value;
    // Compared as bits, so that a NaN (an erased field reads as one) reads back as itself.
    if (field.dataType == DataType::Single)
        return std::bit_cast<std::uint32_t>(static_cast<float>(want->value)) ==
               std::bit_cast<std::uint32_t>(static_cast<float>(have));
    double tolerance = 0.0;
    if (field.dataType == DataType::ConRes)
        tolerance = std::abs(field.step);
    else if (field.dataType == DataType::ConRelRes)
        tolerance = std::abs(want->value) * 2.0 * std::abs(field.step);
    return std::abs(want->value - have) <= tolerance * 1.0001;
}

FieldWrite encodeNumeric(BitWriter& out, const FieldSpec& field, const Value& value) {
    // A field of no bits writes nothing and reads back as what nothing decodes to.
    if (field.sz == 0)
        return readsBackAs(value, numericValueOf(field, 0), field) ? FieldWrite::Written
                                                                   : FieldWrite::ReadsBackOtherwise;
    const Raw raw = rawOf(field, value);
    if (raw.failure != FieldWrite::Written) return raw.failure;
    if (!out.writeBits(field.sz, raw.n)) return FieldWrite::Refused;
    // A value too large for its field loses its high bits, and one that
    // lands on the all-ones pattern reads as no value.
    return readsBackAs(value, numericValueOf(field, raw.n), field) ? FieldWrite::Written
                                                                  : FieldWrite::ReadsBackOtherwise;
}

// Whether every character of a text comes back from its code as itself.
bool charactersReadBack(std::string_view text, DataType dataType) {
    switch (dataType) {
    case DataType::Chr5:
    case DataType::String5:
        return std::all_of(text.begin(), text.end(), [](char c) { return chr5ToChar(charToChr5(c)) == c; });
    case DataType::Ascii:
    case DataType::String7:
        return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    default: {
        std::vector<std::uint16_t> units;
        std::string again;
        if (!utf8ToCodeUnits(text, units)) return false;
        for (const std::uint16_t unit : units) appendUtf8(unit, again);
        return again == text;
    }
    }
}

std::uint64_t characterCount(std::string_view text, DataType dataType) {
    if (dataType != DataType::Unicode && dataType != DataType::String16) return text.size();
    std::vector<std::uint16_t> units;
    utf8ToCodeUnits(text, units);
    return units.size();
}

// A text reads back as itself when its characters do and, in a field of
// fixed width, fit it; the characters of code 0 a shorter text is filled
// up with read back as a fill the text is known to lack.
FieldWrite encodeText(BitWriter& out, const FieldSpec& field, std::string_view text) {
    if (field.sz == 0) return text.empty() ? FieldWrite::Written : FieldWrite::ReadsBackOtherwise;
    const std::uint64_t from = out.position();
    bool written = false;
    switch (field.dataType) {
    case DataType::Chr5:
        written = writeText(out, text, 5, true) && padField(out, from, fixedTextBits(field.sz, field.dataType));
        break;
    case DataType::Ascii:
        written = writeText(out, text, 7, false) && padField(out, from, fixedTextBits(field.sz, field.dataType));
        break;
    case DataType::Unicode:
        written = writeUnicodeText(out, text) && padField(out, from, fixedTextBits(field.sz, field.dataType));
        break;
    default:
        written = writeCountedText(out, field.sz, text, field.dataType);
    }
    if (!written) return FieldWrite::Refused;
    const bool fits = !isFixedWidthText(field.dataType) ||
                      characterCount(text, field.dataType) <= fixedTextCharacters(field.sz, field.dataType);
    return fits && charactersReadBack(text, field.dataType) ? FieldWrite::Written : FieldWrite::ReadsBackOtherwise;
}

}  // namespace

FieldWrite encodeField(BitWriter& out, const FieldSpec& field, const Value& value) {
    if (isTextType(field.dataType)) {
        const auto* text = std::get_if<TextValue>(&value);
        if (text == nullptr) return field.sz == 0 ? FieldWrite::ReadsBackOtherwise : FieldWrite::Refused;
        return encodeText(out, field, text->text);
    }
    return encodeNumeric(out, field, value);
}

}  // namespace teds::types
