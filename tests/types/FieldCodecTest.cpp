#include "support/HeldValues.hpp"
#include "teds/types/FieldCodec.hpp"

#include <bit>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include <memory>
#include "support/ImageBuilder.hpp"
#include "teds/types/Chr5.hpp"

namespace teds::types {
namespace {

using teds::testing::heldReal;
using teds::testing::heldText;
using teds::testing::heldWhole;
using teds::testing::valueOf;

using types::BitReader;
using types::BitWriter;
using teds::testing::ImageBuilder;

// Reads through a stream over `image` and reports where it stopped.
struct Reader {
    explicit Reader(const std::vector<std::uint8_t>& image)
        : stream(image.data(), static_cast<std::uint32_t>(image.size())) {}
    std::uint32_t bitsRead() const { return static_cast<std::uint32_t>(stream.position()); }
    BitReader stream;
};

// A decoded field as its record holds it.
struct DecodedValue {
    Value value;
    std::shared_ptr<const std::string> text;  // what a text value refers to
    ValueKind kind() const { return static_cast<ValueKind>(value.index()); }
};

std::optional<DecodedValue> numericOf(BitReader& in, const FieldSpec& f) {
    DecodedValue decoded;
    if (!decodeNumeric(in, f, decoded.value)) return std::nullopt;
    return decoded;
}

std::string textOf(BitReader& in, std::uint32_t sz, DataType type) {
    std::string text;
    decodeText(in, sz, type, text);
    return text;
}

// The bits went out, whether or not they read back as the value.
bool written(FieldWrite result) { return result == FieldWrite::Written || result == FieldWrite::ReadsBackOtherwise; }

BitReader readerOf(const BitWriter& w) {
    return BitReader(w.bytes().data(), static_cast<std::uint32_t>(w.bytes().size()));
}

FieldSpec fieldOf(DataType type, std::uint32_t sz, double start = 0.0, double step = 0.0) {
    FieldSpec f;
    f.sz = sz;
    f.dataType = type;
    f.start = start;
    f.step = step;
    return f;
}

std::optional<DecodedValue> decodeRaw(const FieldSpec& f, std::uint64_t raw) {
    const auto image = ImageBuilder().field(f.sz, raw).field(8, 0).bytes();
    Reader r(image);
    auto v = numericOf(r.stream, f);
    EXPECT_EQ(r.bitsRead(), f.sz);
    return v;
}

// --- numeric fields ----------------------------------------------------------

struct NoValueCase {
    const char* what;
    DataType type;
    std::uint32_t sz;
    std::uint64_t raw;
    bool none;
};

class NoValuePattern : public ::testing::TestWithParam<NoValueCase> {};

TEST_P(NoValuePattern, IsAllOnesInTheFieldWidth) {
    const NoValueCase& c = GetParam();
    const auto v = decodeRaw(fieldOf(c.type, c.sz, 1.0, 0.5), c.raw);
    ASSERT_TRUE(v.has_value()) << c.what;
    EXPECT_EQ(v->kind() == ValueKind::None, c.none) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Numeric, NoValuePattern,
    ::testing::Values(NoValueCase{"UNINT 8 bits of ones", DataType::Unint, 8, 0xFF, true},
                      NoValueCase{"UNINT 8 bits 0xFE", DataType::Unint, 8, 0xFE, false},
                      NoValueCase{"UNINT 1 bit set", DataType::Unint, 1, 1, true},
                      NoValueCase{"UNINT 1 bit clear", DataType::Unint, 1, 0, false},
                      NoValueCase{"UNINT width 0", DataType::Unint, 0, 0, true},
                      NoValueCase{"DATE width 0", DataType::Date, 0, 0, true},
                      NoValueCase{"DATE 16 bits of ones", DataType::Date, 16, 0xFFFF, true},
                      NoValueCase{"DATE 16 bits 0x7FFF", DataType::Date, 16, 0x7FFF, false},
                      NoValueCase{"UNINT 31 bits of ones", DataType::Unint, 31, 0x7FFFFFFF, true},
                      NoValueCase{"UNINT 32 bits of ones", DataType::Unint, 32, 0xFFFFFFFF, true},
                      NoValueCase{"UNINT 32 bits 0x7FFFFFFF", DataType::Unint, 32, 0x7FFFFFFF, false},
                      NoValueCase{"UNINT 40 bits: low 32 ones is a value", DataType::Unint, 40, 0xFFFFFFFF, false},
                      NoValueCase{"UNINT 40 bits of ones", DataType::Unint, 40, 0xFFFFFFFFFF, true},
                      NoValueCase{"UNINT 40 bits: high ones only", DataType::Unint, 40, 0xFF00000000, false},
                      NoValueCase{"ConRelRes 40 bits of ones", DataType::ConRelRes, 40, 0xFFFFFFFFFF, true},
                      NoValueCase{"ConRes 64 bits of ones", DataType::ConRes, 64, ~std::uint64_t{0}, true},
                      NoValueCase{"ConRes 64 bits: all but the top one", DataType::ConRes, 64, ~std::uint64_t{0} >> 1,
                                  false},
                      NoValueCase{"ConRes of ones", DataType::ConRes, 12, 0xFFF, true},
                      NoValueCase{"ConRes below ones", DataType::ConRes, 12, 0xFFE, false},
                      NoValueCase{"ConRelRes of ones", DataType::ConRelRes, 6, 0x3F, true},
                      NoValueCase{"ConRelRes below ones", DataType::ConRelRes, 6, 0x3E, false},
                      NoValueCase{"Single of ones is a NaN, not none", DataType::Single, 32, 0xFFFFFFFF, false},
                      NoValueCase{"Single width 0", DataType::Single, 0, 0, false}));

TEST(NumericField, UnsignedAndDateKeepTheRawNumber) {
    const auto u = decodeRaw(fieldOf(DataType::Unint, 8), 0xFE);
    EXPECT_EQ(u->kind(), ValueKind::Unsigned);
    EXPECT_EQ(heldWhole(u->value), 254u);

    const auto d = decodeRaw(fieldOf(DataType::Date, 16), 365);
    EXPECT_EQ(d->kind(), ValueKind::Date);
    EXPECT_EQ(heldWhole(d->value), 365u);
}

// Fields wider than 32 bits: the whole raw number is the value, all ones in
// the field's width is none, and encoding writes the number back whole.
TEST(NumericField, WideFieldsKeepTheWholeRawNumber) {
    const struct {
        std::uint32_t sz;
        std::uint64_t raw;
    } rows[] = {
        {33, 0x100000005},                 // bit 32 set, low 32 bits 5
        {40, 0xAB12345678},
        {63, 0x4000000000003039},           // 2^62 + 12345
        {64, 0x0000010000003039},           // 2^40 + 12345
        {64, 0xFFFFFFFFFFFFFFFE},           // the largest value: one below all ones
    };
    for (const auto& row : rows) {
        for (const DataType type : {DataType::Unint, DataType::Date}) {
            const auto v = decodeRaw(fieldOf(type, row.sz), row.raw);
            EXPECT_EQ(heldWhole(v->value), row.raw) << "sz " << row.sz;
            const std::uint64_t ones = row.sz == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << row.sz) - 1;
            EXPECT_EQ(decodeRaw(fieldOf(type, row.sz), ones)->kind(), ValueKind::None) << "sz " << row.sz;
            BitWriter w(8);
            ASSERT_TRUE(written(encodeField(w, fieldOf(type, row.sz), v->value)));
            EXPECT_EQ(w.position(), row.sz);
            EXPECT_EQ(readerOf(w).readBits(row.sz), row.raw) << "sz " << row.sz;
        }
        // ConRes scales the whole number; doubles hold it exactly up to 2^53.
        if (row.raw < (std::uint64_t{1} << 53)) {
            const FieldSpec conRes = fieldOf(DataType::ConRes, row.sz, -1.0, 0.5);
            const auto v = decodeRaw(conRes, row.raw);
            EXPECT_EQ(heldReal(v->value), static_cast<double>(row.raw) * 0.5 - 1.0) << "sz " << row.sz;
            BitWriter w(8);
            ASSERT_TRUE(written(encodeField(w, conRes, v->value)));
            EXPECT_EQ(readerOf(w).readBits(row.sz), row.raw) << "sz " << row.sz;
        }
    }
}

TEST(NumericField, FixedRawValueReadsNothingAndIsNeverNone) {
    FieldSpec f = fieldOf(DataType::Unint, 8);
    f.fixedRaw = 0xFF;
    const std::vector<std::uint8_t> image{0x00};
    Reader r(image);
    const auto v = numericOf(r.stream, f);
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ(v->kind(), ValueKind::Unsigned);
    EXPECT_EQ(heldWhole(v->value), 255u);
    EXPECT_EQ(r.bitsRead(), 0u);
}

TEST(NumericField, ConResIsRawTimesResolutionPlusStart) {
    const auto v = decodeRaw(fieldOf(DataType::ConRes, 8, 10.0, 0.5), 4);
    EXPECT_EQ(v->kind(), ValueKind::Real);
    EXPECT_EQ(heldReal(v->value), 12.0);
    const auto big = decodeRaw(fieldOf(DataType::ConRes, 32, -1.0, 1.0), 0xFFFFFFFE);
    EXPECT_EQ(heldReal(big->value), 4294967293.0);
}

// The power is formed by squaring, so the exact double depends on the order
// of the products; each row spells that order out.
TEST(NumericField, ConRelResPowerBySquaring) {
    const double b = 1.0 + 2.0 * 0.05;
    const double b2 = b * b;
    const double b4 = b2 * b2;
    const struct {
        std::uint32_t sz;
        std::uint64_t raw;
        double expected;
    } cases[] = {
        {8, 0, 1.0},
        {8, 1, b},
        {8, 2, b2},             // the 1.1 * 1.1 = 1.21 of the tolerance 0.05
        {8, 3, b * b2},
        {8, 6, b2 * b4},
        {8, 7, (b * b2) * b4},
        {32, 0xFFFFFFFE, 1.0 / b2},      // -2 as a signed exponent
        {32, 0xFFFFFFFD, 1.0 / (b * b2)},  // -3
        // Wider fields: the field's own two's complement.
        {33, 0x1FFFFFFFE, 1.0 / b2},
        {40, 0x00FFFFFFFE, std::numeric_limits<double>::infinity()},  // 2^32 - 2, not -2
        {64, 0xFFFFFFFFFFFFFFFD, 1.0 / (b * b2)},
        {64, 3, b * b2},
    };
    for (const auto& c : cases) {
        const auto v = decodeRaw(fieldOf(DataType::ConRelRes, c.sz, 1.0, 0.05), c.raw);
        ASSERT_TRUE(v.has_value());
        EXPECT_EQ(v->kind(), ValueKind::Real);
        EXPECT_EQ(heldReal(v->value), c.expected) << "raw " << c.raw;
    }
    EXPECT_DOUBLE_EQ(heldReal(decodeRaw(fieldOf(DataType::ConRelRes, 8, 1.0, 0.05), 2)->value), 1.21);
    EXPECT_EQ(heldReal(decodeRaw(fieldOf(DataType::ConRelRes, 8, 2.5, 0.05), 2)->value), 2.5 * b2);
}

TEST(NumericField, ConRelResExtremeExponents) {
    // 2^31 squarings' worth of growth: the power overflows, its inverse is 0.
    const auto most = decodeRaw(fieldOf(DataType::ConRelRes, 32, 1.0, 0.05), 0x80000000u);
    EXPECT_EQ(heldReal(most->value), 0.0);
    const auto large = decodeRaw(fieldOf(DataType::ConRelRes, 32, 1.0, 0.05), 0x7FFFFFFFu);
    EXPECT_TRUE(std::isinf(heldReal(large->value)));
}

TEST(NumericField, SingleReinterpretsTheLowThirtyTwoBits) {
    const auto v = decodeRaw(fieldOf(DataType::Single, 32), std::bit_cast<std::uint32_t>(1.5f));
    EXPECT_EQ(v->kind(), ValueKind::Real);
    EXPECT_EQ(heldReal(v->value), 1.5);

    const auto tenth = decodeRaw(fieldOf(DataType::Single, 32), std::bit_cast<std::uint32_t>(-0.1f));
    EXPECT_EQ(heldReal(tenth->value), static_cast<double>(-0.1f));

    const auto ones = decodeRaw(fieldOf(DataType::Single, 32), 0xFFFFFFFF);
    EXPECT_EQ(ones->kind(), ValueKind::Real);
    EXPECT_TRUE(std::isnan(heldReal(ones->value)));
}

TEST(NumericField, TypesWithoutAValueConsumeTheirBits) {
    for (const DataType t : {DataType::BitDigit, DataType::BitBin, DataType::EnumType, static_cast<DataType>(0),
                             static_cast<DataType>(99)}) {
        const auto image = ImageBuilder().field(11, 0x7FF).field(5, 0x15).bytes();
        Reader r(image);
        EXPECT_FALSE(numericOf(r.stream, fieldOf(t, 11)).has_value()) << static_cast<int>(t);
        EXPECT_EQ(r.stream.readBits(5), 0x15u) << static_cast<int>(t);
    }
}

// --- text fields -------------------------------------------------------------


TEST(TextField, Chr5CodesBecomeCharacters) {
    const auto image = ImageBuilder().field(5, 1).field(5, 0).field(5, 27).field(5, 31).bytes();
    Reader r(image);
    EXPECT_EQ(textOf(r.stream, 20, DataType::Chr5), "A ,@");
}

TEST(TextField, OnlyWholeCharactersOfTheWidthAreRead) {
    const auto image = ImageBuilder().field(5, 8).field(5, 9).field(5, 26).field(1, 0).bytes();
    Reader chr5(image);
    EXPECT_EQ(textOf(chr5.stream, 12, DataType::Chr5), "HI");
    EXPECT_EQ(chr5.bitsRead(), 10u);

    const auto ascii = ImageBuilder().field(7, 'O').field(7, 'k').field(8, 0).bytes();
    Reader a(ascii);
    EXPECT_EQ(textOf(a.stream, 20, DataType::Ascii), "Ok");
    EXPECT_EQ(a.bitsRead(), 14u);

    const auto unicode = ImageBuilder().field(16, 0x00E9).field(16, 0).bytes();
    Reader u(unicode);
    EXPECT_EQ(textOf(u.stream, 31, DataType::Unicode), "\xC3\xA9");
    EXPECT_EQ(u.bitsRead(), 16u);
}

TEST(TextField, AsciiKeepsEveryByteIncludingZero) {
    const auto image = ImageBuilder().field(7, 'a').field(7, 0).field(7, 0x7F).bytes();
    Reader r(image);
    EXPECT_EQ(textOf(r.stream, 21, DataType::Ascii),
              std::string("a\0\x7F", 3));
}

TEST(TextField, CountedStringsReadTheirCountFirst) {
    const auto s7 = ImageBuilder().field(4, 2).field(7, 0x48).field(7, 0x69).field(8, 0xFF).bytes();
    Reader r7(s7);
    EXPECT_EQ(textOf(r7.stream, 4, DataType::String7), "Hi");
    EXPECT_EQ(r7.bitsRead(), 18u);

    const auto s5 = ImageBuilder().field(3, 3).field(5, 20).field(5, 28).field(5, 30).bytes();
    Reader r5(s5);
    EXPECT_EQ(textOf(r5.stream, 3, DataType::String5), "T._");

    const auto s16 = ImageBuilder().field(8, 2).field(16, 0x20AC).field(16, 0x41).bytes();
    Reader r16(s16);
    EXPECT_EQ(textOf(r16.stream, 8, DataType::String16),
              "\xE2\x82\xAC"
              "A");

    const auto none = ImageBuilder().field(8, 0).field(8, 0xFF).bytes();
    Reader r0(none);
    EXPECT_EQ(textOf(r0.stream, 8, DataType::String7), "");
    EXPECT_EQ(r0.bitsRead(), 8u);

    // A count wider than 32 bits is read whole: 2^32 + 2 characters run on
    // to the end of the image instead of stopping after two.
    const auto wide = ImageBuilder().field(40, 0x100000002).field(7, 'H').field(7, 'i').field(7, 'X').bytes();
    Reader rw(wide);
    EXPECT_EQ(textOf(rw.stream, 40, DataType::String7).substr(0, 3), "HiX");
}

TEST(TextField, CodeUnitsBecomeUtf8OneAtATime) {
    const struct {
        std::uint16_t unit;
        const char* utf8;
    } cases[] = {
        {0x0041, "A"},
        {0x007F, "\x7F"},
        {0x0080, "\xC2\x80"},
        {0x00E9, "\xC3\xA9"},
        {0x07FF, "\xDF\xBF"},
        {0x0800, "\xE0\xA0\x80"},
        {0x20AC, "\xE2\x82\xAC"},
        {0xD83D, "\xED\xA0\xBD"},  // a high surrogate stays on its own
        {0xFFFF, "\xEF\xBF\xBF"},
    };
    for (const auto& c : cases) {
        std::string text;
        appendUtf8(c.unit, text);
        EXPECT_EQ(text, c.utf8) << "unit " << c.unit;
    }
    std::string zero;
    appendUtf8(0, zero);
    EXPECT_EQ(zero, std::string(1, '\0'));
}

// A count read from a damaged image can ask for billions of characters. The
// text stops with the image: each character that starts inside it is kept
// (zero-filled when cut off), none that would be made of zero fill alone.
TEST(TextField, HugeCountStopsAtTheEndOfTheImage) {
    const struct {
        DataType type;
        std::uint32_t countBits;
        std::size_t expectedLength;  // characters starting inside 96 - countBits bits
    } cases[] = {
        {DataType::String7, 32, 10},    // 64 bits: 9 whole characters and 1 bit of a tenth
        {DataType::String5, 32, 13},    // 64 bits: 12 whole characters and 4 bits of a 13th
        {DataType::String16, 32, 4 * 3},  // 4 characters of U+FFFF, three bytes each
        {DataType::String7, 64, 5},     // the count field itself is wider than 32 bits
    };
    for (const auto& c : cases) {
        std::vector<std::uint8_t> image(12, 0xFF);
        Reader r(image);
        const auto started = std::chrono::steady_clock::now();
        const std::string text = textOf(r.stream, c.countBits, c.type);
        const auto elapsed = std::chrono::steady_clock::now() - started;
        EXPECT_EQ(text.size(), c.expectedLength) << static_cast<int>(c.type);
        EXPECT_FALSE(r.stream.hasMore());
        EXPECT_LT(elapsed, std::chrono::seconds(1));
    }
}

TEST(TextField, FixedWidthTextCutByTheEndKeepsWhatStartsInside) {
    // Three CHR5 characters declared, 8 bits of image: the first whole, the
    // second from 3 bits and zeros, the third not there at all.
    const std::vector<std::uint8_t> image{0xE1};  // 00001 then 111
    Reader r(image);
    EXPECT_EQ(textOf(r.stream, 15, DataType::Chr5), "AG");
}

TEST(Chr5Table, MapsBothWays) {
    const struct {
        std::uint32_t code;
        char c;
    } table[] = {{0, ' '}, {1, 'A'}, {13, 'M'}, {26, 'Z'}, {27, ','}, {28, '.'}, {29, '/'}, {30, '_'}, {31, '@'}};
    for (const auto& row : table) {
        EXPECT_EQ(chr5ToChar(row.code), row.c);
        EXPECT_EQ(charToChr5(row.c), row.code);
    }
    for (std::uint32_t code = 0; code < 32; ++code) EXPECT_EQ(charToChr5(chr5ToChar(code)), code);
    // Outside the set: c - 64, of which a 5-bit field keeps the low bits.
    EXPECT_EQ(charToChr5('a') & 0x1Fu, 1u);
}

// --- encoding ----------------------------------------------------------------

// Encodes `value` into a buffer just wide enough, decodes it again.
template <class Plain>
DecodedValue roundTrip(const FieldSpec& f, const Plain& plain, std::uint32_t bits) {
    BitWriter w((bits + 7) / 8);
    EXPECT_TRUE(written(encodeField(w, f, valueOf(plain))));
    BitReader r = readerOf(w);
    DecodedValue out;
    if (isTextType(f.dataType)) {
        out.text = std::make_shared<const std::string>(textOf(r, f.sz, f.dataType));
        out.value = TextValue{*out.text};
    } else {
        auto v = numericOf(r, f);
        EXPECT_TRUE(v.has_value());
        if (v) out = *v;
    }
    return out;
}

TEST(EncodeField, UnsignedTypesRoundTrip) {
    for (const DataType t : {DataType::Date, DataType::Unint}) {
        for (const auto& [sz, n] : std::vector<std::pair<std::uint32_t, std::uint64_t>>{
                 {8, 0}, {8, 254}, {13, 0x1234}, {32, 0xFFFFFFFE}}) {
            const auto v = roundTrip(fieldOf(t, sz), n, sz);
            EXPECT_EQ(heldWhole(v.value), n) << "sz " << sz;
        }
    }
}

TEST(EncodeField, TextTypesRoundTrip) {
    const std::string chr5 = "HELLO, WORLD/_@";
    const auto c = roundTrip(fieldOf(DataType::Chr5, 5 * chr5.size()), chr5, 5 * chr5.size());
    EXPECT_EQ(heldText(c.value), chr5);

    const std::string ascii("Temp\x01\x7F", 6);
    const auto a = roundTrip(fieldOf(DataType::Ascii, 7 * ascii.size()), ascii, 7 * ascii.size());
    EXPECT_EQ(heldText(a.value), ascii);

    // Code units of one, two and three UTF-8 bytes, an unpaired surrogate included.
    const std::string utf16 = "A\xC3\xA9\xE2\x82\xAC\xED\xA0\x80";
    const auto u = roundTrip(fieldOf(DataType::Unicode, 64), utf16, 64);
    EXPECT_EQ(heldText(u.value), utf16);

    for (const auto& [type, text, bits] : std::vector<std::tuple<DataType, std::string, std::uint32_t>>{
             {DataType::String5, "T._", 4 + 15}, {DataType::String7, "Hi", 4 + 14}, {DataType::String16, "\xC3\xA9", 4 + 16}}) {
        const auto s = roundTrip(fieldOf(type, 4), text, bits);
        EXPECT_EQ(heldText(s.value), text) << static_cast<int>(type);
    }
}

TEST(EncodeField, TextsTheirFieldCannotHoldAreRefused) {
    BitWriter w(16);
    EXPECT_FALSE(written(encodeField(w, fieldOf(DataType::String7, 2), valueOf(std::string("four")))));  // count 4 needs 3 bits
    EXPECT_FALSE(
        written(encodeField(w, fieldOf(DataType::Unicode, 16), valueOf(std::string("\xF0\x9F\x98\x80")))));  // needs a pair
    EXPECT_FALSE(written(encodeField(w, fieldOf(DataType::String16, 8), valueOf(std::string("\xC3")))));     // cut sequence
}

TEST(EncodeField, ConResRoundTripsEveryDecodedValue) {
    // Quotients of decoded values land a hair either side of the raw number.
    const struct {
        double start, step;
    } scales[] = {{10.0, 0.5}, {-40.0, 0.01}, {0.0, 0.1}, {273.15, 0.05}, {1.5, 0.3}, {0.0, 1e-6}};
    for (const auto& s : scales) {
        const FieldSpec f = fieldOf(DataType::ConRes, 16, s.start, s.step);
        for (std::uint32_t n = 0; n < 0xFFFF; n += 7) {
            const double value = static_cast<double>(n) * s.step + s.start;
            BitWriter w(2);
            ASSERT_TRUE(written(encodeField(w, f, valueOf(value))));
            ASSERT_EQ(readerOf(w).readBits(16), n) << "start " << s.start << " step " << s.step;
        }
    }
}

TEST(EncodeField, ConRelResRoundTrips) {
    const struct {
        std::uint32_t sz;
        std::uint64_t raw;
    } rows[] = {{32, 0}, {32, 1}, {32, 2}, {32, 17}, {32, 1000}, {32, 0xFFFFFFFE /* -2 */}, {32, 0xFFFFFF00 /* -256 */},
                {40, 0xFFFFFFFF00 /* -256 */}, {40, 5000}, {64, 0xFFFFFFFFFFFFFFFE /* -2 */}};
    for (const auto& row : rows) {
        const FieldSpec f = fieldOf(DataType::ConRelRes, row.sz, 2.5, 0.05);
        const double value = heldReal(decodeRaw(f, row.raw)->value);
        BitWriter w(8);
        ASSERT_TRUE(written(encodeField(w, f, valueOf(value))));
        EXPECT_EQ(readerOf(w).readBits(row.sz), row.raw) << "sz " << row.sz;
    }
}

TEST(EncodeField, SingleRoundTripsThroughFloat) {
    for (const double v : {1.5, -0.1, 0.0, 3.4e38, std::numeric_limits<double>::infinity()}) {
        const auto d = roundTrip(fieldOf(DataType::Single, 32), v, 32);
        EXPECT_EQ(heldReal(d.value), static_cast<double>(static_cast<float>(v))) << v;
    }
    // Beyond the float range the narrowing gives an infinity.
    const auto huge = roundTrip(fieldOf(DataType::Single, 32), 1e300, 32);
    EXPECT_TRUE(std::isinf(heldReal(huge.value)));
}

TEST(EncodeField, WritesOnlyTheFieldWidth) {
    BitWriter w(2);
    ASSERT_TRUE(written(encodeField(w, fieldOf(DataType::Unint, 4), valueOf(std::uint64_t{0xABCD}))));
    ASSERT_TRUE(written(encodeField(w, fieldOf(DataType::Unint, 4), valueOf(std::uint64_t{0x1}))));
    EXPECT_EQ(w.bytes(), std::vector<std::uint8_t>{0x1D});
}

TEST(EncodeField, TypesWithoutAnEncodingReturnFalse) {
    for (const DataType t : {DataType::BitDigit, DataType::BitBin, DataType::EnumType, static_cast<DataType>(0)}) {
        BitWriter w(4);
        const types::Value value = UnsignedValue{3};
        EXPECT_FALSE(written(encodeField(w, fieldOf(t, 16), value))) << static_cast<int>(t);
        EXPECT_EQ(w.position(), 0u);
    }
}

TEST(EncodeField, ZeroWidthWritesNothingForAnyType) {
    for (const DataType t : {DataType::Unint, DataType::Chr5, DataType::Unicode, DataType::BitBin}) {
        BitWriter w(1);
        EXPECT_TRUE(written(encodeField(w, fieldOf(t, 0), valueOf(std::string("A"))))) << static_cast<int>(t);
        EXPECT_EQ(w.position(), 0u);
    }
}

TEST(EncodeField, FailsWhenTheStreamRefusesOrTheValueHasTheWrongForm) {
    BitWriter tooShort(1);
    EXPECT_FALSE(written(encodeField(tooShort, fieldOf(DataType::Ascii, 14), valueOf(std::string("Hi")))));

    BitWriter w(4);
    EXPECT_FALSE(written(encodeField(w, fieldOf(DataType::Unint, 8), valueOf(1.0))));
    EXPECT_FALSE(written(encodeField(w, fieldOf(DataType::ConRes, 8, 0.0, 1.0), valueOf(std::uint64_t{1}))));
    EXPECT_FALSE(written(encodeField(w, fieldOf(DataType::Chr5, 5), valueOf(std::uint64_t{1}))));
}

TEST(EncodeField, RawNumbersBeyondTheirRangeAreRefused) {
    const struct {
        const char* what;
        FieldSpec field;
        double value;
    } cases[] = {
        {"ConRes 2^31 in 31 bits", fieldOf(DataType::ConRes, 31, 0.0, 1.0), 2147483648.0},
        {"ConRes 2^32 in 32 bits", fieldOf(DataType::ConRes, 32, 0.0, 1.0), 4294967296.0},
        {"ConRes 2^40 in 40 bits", fieldOf(DataType::ConRes, 40, 0.0, 1.0), 1099511627776.0},
        {"ConRes 2^64 in 64 bits", fieldOf(DataType::ConRes, 64, 0.0, 1.0), 18446744073709551616.0},
        {"ConRes below its start", fieldOf(DataType::ConRes, 8, 10.0, 1.0), 5.0},
        {"ConRes NaN", fieldOf(DataType::ConRes, 8, 0.0, 1.0), std::nan("")},
        {"ConRes zero resolution", fieldOf(DataType::ConRes, 8, 0.0, 0.0), 1.0},
        // ln(e) / ln(1 + 2e-10) is about 5e9: fits a 64-bit long, not 32 bits.
        {"ConRelRes exponent above 2^31", fieldOf(DataType::ConRelRes, 32, 1.0, 1e-10), std::exp(1.0)},
        // ln(e^1.2) / ln(1 + 2e-12) is about 6e11: above 2^39, which a 40-bit field reads as negative.
        {"ConRelRes exponent above 2^39 in 40 bits", fieldOf(DataType::ConRelRes, 40, 1.0, 1e-12), std::exp(1.2)},
        {"ConRelRes of a negative ratio", fieldOf(DataType::ConRelRes, 8, 1.0, 0.05), -1.0},
    };
    for (const auto& c : cases) {
        BitWriter w(8);
        EXPECT_EQ(encodeField(w, c.field, valueOf(c.value)), FieldWrite::NoRawNumber) << c.what;
        EXPECT_EQ(w.position(), 0u) << c.what;
    }
}

TEST(EncodeField, LargestRepresentableRawNumbersEncode) {
    BitWriter w(4);
    ASSERT_TRUE(written(encodeField(w, fieldOf(DataType::ConRes, 31, 0.0, 1.0), valueOf(2147483647.0))));
    EXPECT_EQ(readerOf(w).readBits(31), 0x7FFFFFFFu);
    // From 32 bits up a raw number may take the whole field.
    BitWriter whole(4);
    ASSERT_TRUE(written(encodeField(whole, fieldOf(DataType::ConRes, 32, 0.0, 1.0), valueOf(4294967295.0))));
    EXPECT_EQ(readerOf(whole).readBits(32), 0xFFFFFFFFu);

    // Just below the start still rounds to raw number 0.
    BitWriter z(1);
    ASSERT_TRUE(written(encodeField(z, fieldOf(DataType::ConRes, 8, 10.0, 1.0), valueOf(9.6))));
    EXPECT_EQ(z.bytes(), std::vector<std::uint8_t>{0x00});
}

}  // namespace
}  // namespace teds::types

namespace teds::types {
namespace {

// Each type's codec at its edges: what encodeField reports, and for a value
// it writes, that decoding the bits gives the value back exactly.
TEST(FieldCodec, EachTypeRoundTripsOrSaysWhyNot) {
    const double third = static_cast<double>(7) * 0.1 + 0.5;  // a ConRes value as decoding makes it
    const struct {
        const char* what;
        FieldSpec field;
        Value value;
        FieldWrite expected;
    } rows[] = {
        {"unint of 1 bit", fieldOf(DataType::Unint, 1), UnsignedValue{0}, FieldWrite::Written},
        {"unint of 1 bit holding its pattern", fieldOf(DataType::Unint, 1), UnsignedValue{1},
         FieldWrite::ReadsBackOtherwise},
        {"unint of 64 bits", fieldOf(DataType::Unint, 64), UnsignedValue{~std::uint64_t{0} - 1}, FieldWrite::Written},
        {"unint of 64 bits holding its pattern", fieldOf(DataType::Unint, 64), UnsignedValue{~std::uint64_t{0}},
         FieldWrite::ReadsBackOtherwise},
        {"unint too wide for its field", fieldOf(DataType::Unint, 4), UnsignedValue{16}, FieldWrite::ReadsBackOtherwise},
        {"unint with no value", fieldOf(DataType::Unint, 12), NoValue{}, FieldWrite::Written},
        {"date", fieldOf(DataType::Date, 16), DateValue{9000}, FieldWrite::Written},
        {"date with no value", fieldOf(DataType::Date, 64), NoValue{}, FieldWrite::Written},
        {"conres rounded to its raw number", fieldOf(DataType::ConRes, 8, 0.5, 0.1), RealValue{third},
         FieldWrite::Written},
        {"conres below its start", fieldOf(DataType::ConRes, 8, 10.0, 1.0), RealValue{5.0}, FieldWrite::NoRawNumber},
        {"conres with no value", fieldOf(DataType::ConRes, 1, 0.0, 1.0), NoValue{}, FieldWrite::Written},
        {"conrelres", fieldOf(DataType::ConRelRes, 32, 2.5, 0.05), RealValue{2.5 * 1.1 * 1.1}, FieldWrite::Written},
        {"conrelres of a negative ratio", fieldOf(DataType::ConRelRes, 8, 1.0, 0.05), RealValue{-1.0},
         FieldWrite::NoRawNumber},
        {"single", fieldOf(DataType::Single, 32), RealValue{-0.1f}, FieldWrite::Written},
        {"single has no no-value pattern", fieldOf(DataType::Single, 32), NoValue{}, FieldWrite::ReadsBackOtherwise},
        {"bitbin keeps no value", fieldOf(DataType::BitBin, 8), NoValue{}, FieldWrite::ReadsBackOtherwise},
        {"a real in an unint", fieldOf(DataType::Unint, 8), RealValue{1.0}, FieldWrite::Refused},
        {"chr5 filled with blanks", fieldOf(DataType::Chr5, 20), TextValue{"AB"}, FieldWrite::Written},
        {"chr5 lacks lower case", fieldOf(DataType::Chr5, 20), TextValue{"ab"}, FieldWrite::ReadsBackOtherwise},
        {"chr5 longer than its field", fieldOf(DataType::Chr5, 10), TextValue{"ABC"}, FieldWrite::ReadsBackOtherwise},
        {"ascii", fieldOf(DataType::Ascii, 14), TextValue{"Hi"}, FieldWrite::Written},
        {"ascii of 8 bits", fieldOf(DataType::Ascii, 14), TextValue{"\xC3\xA9"}, FieldWrite::ReadsBackOtherwise},
        {"unicode", fieldOf(DataType::Unicode, 32), TextValue{"\xC3\xA9\xE2\x82\xAC"}, FieldWrite::Written},
        {"unicode of an overlong sequence", fieldOf(DataType::Unicode, 16), TextValue{"\xC1\x81"},
         FieldWrite::ReadsBackOtherwise},
        {"string7", fieldOf(DataType::String7, 4), TextValue{"Hi"}, FieldWrite::Written},
        {"string5 count too large", fieldOf(DataType::String5, 1), TextValue{"AB"}, FieldWrite::Refused},
        {"a number in a text", fieldOf(DataType::Ascii, 14), UnsignedValue{1}, FieldWrite::Refused},
    };
    for (const auto& row : rows) {
        BitWriter w(16);
        EXPECT_EQ(encodeField(w, row.field, row.value), row.expected) << row.what;
        if (row.expected != FieldWrite::Written) continue;
        BitReader r = readerOf(w);
        Value back;
        std::string text;
        if (isTextType(row.field.dataType)) {
            decodeText(r, row.field.sz, row.field.dataType, text);
            back = TextValue{std::string_view(text).substr(0, std::get<TextValue>(row.value).text.size())};
        } else {
            ASSERT_TRUE(decodeNumeric(r, row.field, back)) << row.what;
        }
        EXPECT_EQ(r.position(), w.position()) << row.what;
        EXPECT_TRUE(back == row.value) << row.what;
    }
}

}  // namespace
}  // namespace teds::types
