#include "teds/encode/FieldValue.hpp"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

#include <boost/date_time/gregorian/gregorian.hpp>

#include "teds/tdl/nodes/Enum.hpp"
#include "teds/types/Chr5.hpp"

namespace teds::encode {
namespace {

using tdl::nodes::Property;
using types::DataType;
using types::ValueRecord;

FieldValue refused(std::string problem) {
    FieldValue value;
    value.problem = std::move(problem);
    return value;
}

FieldValue accepted(ValueRecord record) {
    FieldValue value;
    value.record = std::move(record);
    return value;
}

std::string realText(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::optional<double> parseReal(const std::string& text) {
    double value = 0.0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    if (result.ec != std::errc() || result.ptr != end) return std::nullopt;
    return value;
}

// What decoding makes of raw number `raw` in the property's field: the
// record is then exactly the one a decode of the written image gives.
std::optional<ValueRecord> decodedRaw(const Property& property, std::uint64_t raw) {
    std::optional<types::Value> value = types::numericValueOf(property.field, raw);
    if (!value) return std::nullopt;
    return ValueRecord{std::move(*value), &property.declaration};
}

FieldValue fromRaw(const Property& property, std::uint64_t raw) {
    if (auto record = decodedRaw(property, raw)) return accepted(std::move(*record));
    return refused(property.declaration.name + ": its " + std::to_string(property.declaration.width) +
                   "-bit field cannot be written");
}

// The largest raw number a field holds as a value: all ones means none.
std::optional<std::uint64_t> largestRaw(std::uint32_t sz) {
    if (sz == 0) return std::nullopt;
    return types::noValuePattern(sz) - 1;
}

FieldValue wholeValue(const Property& property, std::uint64_t n, const std::string& shown) {
    const std::string& name = property.declaration.name;
    const std::optional<std::uint64_t> largest = largestRaw(property.declaration.width);
    if (!largest) return refused(name + ": its field has no bits, so it holds no value, only none");
    if (n > *largest)
        return refused(name + ": " + shown + " is more than its " + std::to_string(property.declaration.width) +
                       "-bit field holds (largest " + std::to_string(*largest) + ")");
    return fromRaw(property, n);
}

double realOf(const ValueRecord& record) {
    const auto* real = std::get_if<types::RealValue>(&record.value);
    return real != nullptr ? real->value : std::numeric_limits<double>::quiet_NaN();
}

// The raw numbers of a scaled field, as the multiple or exponent they stand
// for: a ConRes field holds 0 up to all ones less one; a ConRelRes exponent
// is signed from 32 bits up (the field's own two's complement beyond), so
// its all-ones -1 is no value.
template <class Raw>
struct GridRange {
    Raw low, high;
};

GridRange<std::uint64_t> conResRange(std::uint32_t sz) { return {0, *largestRaw(sz)}; }

GridRange<std::int64_t> conRelResRange(std::uint32_t sz) {
    if (sz < 32) return {0, static_cast<std::int64_t>(*largestRaw(sz))};
    const std::uint32_t bits = std::min<std::uint32_t>(sz, 64);
    const std::int64_t high = static_cast<std::int64_t>((std::uint64_t{1} << (bits - 1)) - 1u);
    return {-high - 1, high};
}

// ConRes and ConRelRes: the raw number whose decoded value is nearest, among
// those the field holds. The existing encode path rounds ln or the quotient
// to the nearest raw, so the decoded value given back maps to that number.
template <class Raw>
FieldValue nearestOnGrid(const Property& property, double x, double estimate, GridRange<Raw> range, bool strict) {
    const std::string& name = property.declaration.name;
    const std::uint32_t sz = property.declaration.width;
    const bool relative = property.field.dataType == DataType::ConRelRes;
    // A negative exponent is written in two's complement, which the
    // conversion to the field's bits gives.
    const auto valueAt = [&](Raw raw) { return decodedRaw(property, static_cast<std::uint64_t>(raw)); };
    const auto rangeText = [&] {
        const auto a = valueAt(range.low);
        const auto b = valueAt(range.high);
        if (!a || !b) return std::string();
        const double first = realOf(*a), last = realOf(*b);
        return " (" + realText(std::min(first, last)) + " to " + realText(std::max(first, last)) + ")";
    };
    const auto low = static_cast<double>(range.low), high = static_cast<double>(range.high);
    if (!std::isfinite(x) || !std::isfinite(estimate) || estimate < low - 0.5 || estimate > high + 0.5)
        return refused(name + ": " + realText(x) + " is outside what its " + std::to_string(sz) + "-bit field holds" +
                       rangeText());

    // Clamped as a double first: a 64-bit range's bounds round outwards.
    const double rounded = std::round(estimate);
    const Raw center = rounded <= low ? range.low : rounded >= high ? range.high : static_cast<Raw>(rounded);
    std::optional<ValueRecord> best;
    for (int offset = -1; offset <= 1; ++offset) {
        if ((offset < 0 && center == range.low) || (offset > 0 && center == range.high)) continue;
        const Raw raw = offset < 0 ? center - 1 : offset > 0 ? center + 1 : center;
        if (relative && raw == static_cast<Raw>(-1)) continue;
        auto record = valueAt(raw);
        if (record && (!best || std::abs(realOf(*record) - x) < std::abs(realOf(*best) - x))) best = std::move(record);
    }
    if (!best) return refused(name + ": its field cannot be written");
    const double held = realOf(*best);
    // A grid point typed in decimal ("0" for -6.3 + 63 * 0.1) is that point,
    // though the double the grid formula gives differs in its last bits.
    const double step = std::abs(property.field.step);
    const double spacing = relative ? std::abs(held) * 2.0 * step : step;
    if (std::abs(held - x) <= spacing * 1e-9) return accepted(std::move(*best));
    if (strict)
        return refused(name + ": " + realText(x) + " is not a value its field holds (nearest: " + realText(held) + ")");
    FieldValue value = accepted(std::move(*best));
    value.note = name + ": " + realText(x) + " is written as " + realText(held) + ", the nearest value its field holds";
    return value;
}

FieldValue gridValue(const Property& property, double x, bool strict) {
    const std::uint32_t sz = property.declaration.width;
    if (sz == 0) return refused(property.declaration.name + ": its field has no bits, so it holds no value, only none");
    if (property.field.dataType == DataType::ConRelRes)
        return nearestOnGrid(property, x,
                             std::log(x / property.field.start) / std::log(1.0 + 2.0 * property.field.step),
                             conRelResRange(sz), strict);
    return nearestOnGrid(property, x, (x - property.field.start) / property.field.step, conResRange(sz), strict);
}

// A Single holds any float. A value typed in decimal is taken as the float
// it names without remark; only one that no float reads as is reported.
FieldValue singleValue(const Property& property, double x, bool strict) {
    const std::string& name = property.declaration.name;
    const float f = static_cast<float>(x);
    if (std::isfinite(x) && !std::isfinite(f))
        return refused(name + ": " + realText(x) + " is beyond the range of a single-precision field");
    FieldValue value = fromRaw(property, std::bit_cast<std::uint32_t>(f));
    if (!value.record) return value;
    const double held = realOf(*value.record);
    if (std::bit_cast<std::uint32_t>(static_cast<float>(held)) != std::bit_cast<std::uint32_t>(f))
        return refused(name + ": " + realText(x) + " does not fit its " + std::to_string(property.declaration.width) +
                       "-bit field");
    char buffer[64];
    const auto shortest = std::to_chars(buffer, buffer + sizeof buffer, f);
    const bool typedAsFloat = held == x || parseReal(std::string(buffer, shortest.ptr)) == x || std::isnan(x);
    if (typedAsFloat) return value;
    if (strict)
        return refused(name + ": " + realText(x) + " is not a value its field holds (nearest: " + realText(held) + ")");
    value.note = name + ": " + realText(x) + " is written as " + realText(held) + ", the nearest value its field holds";
    return value;
}

bool isChr5(char c) { return types::chr5ToChar(types::charToChr5(c)) == c; }

FieldValue textValue(const Property& property, const StatedValue& stated, types::RecordStore& store) {
    const std::string& name = property.declaration.name;
    std::string text;
    if (stated.exact) {
        const auto* exact = std::get_if<types::TextValue>(&stated.exact->value);
        if (exact == nullptr) return refused(name + ": needs a text");
        text = exact->text;
    } else {
        text = *stated.text;
    }
    const std::uint32_t sz = property.declaration.width;
    std::size_t count = text.size();
    std::size_t capacity = 0;
    switch (property.field.dataType) {
    case DataType::Chr5:
    case DataType::String5:
        if (const auto bad = std::find_if_not(text.begin(), text.end(), isChr5); bad != text.end())
            return refused(name + ": '" + std::string(1, *bad) +
                           "' is not a 5-bit character (space, A to Z, comma, period, /, _ and @ are)");
        capacity = sz / 5;
        break;
    case DataType::Ascii:
    case DataType::String7:
        if (std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
            return refused(name + ": the text has characters beyond 7-bit ASCII");
        capacity = sz / 7;
        break;
    default: {
        std::vector<std::uint16_t> units;
        if (!types::utf8ToCodeUnits(text, units))
            return refused(name + ": the text is not UTF-8 of 16-bit characters (none beyond U+FFFF)");
        count = units.size();
        capacity = sz >> 4;
    }
    }
    const bool counted = property.field.dataType >= DataType::String5;
    if (counted) {
        if (sz < 64 && (std::uint64_t{count} >> sz) != 0)
            return refused(name + ": " + std::to_string(count) + " characters are more than its " +
                           std::to_string(sz) + "-bit count holds");
    } else {
        if (count > capacity)
            return refused(name + ": '" + text + "' has " + std::to_string(count) + " characters, its field holds " +
                           std::to_string(capacity));
        // The field is read whole: a shorter text is filled up with blanks,
        // which is what it then reads back as. A decoded text stays as it
        // was, so one cut short by the end of its image is written back as such.
        if (!stated.exact) text.append(capacity - count, ' ');
    }
    return accepted(ValueRecord{types::TextValue{store.keepText(std::move(text))},
                                    &property.declaration});
}

std::optional<double> statedReal(const StatedValue& stated) {
    if (stated.exact) {
        if (!std::holds_alternative<types::RealValue>(stated.exact->value)) return std::nullopt;
        return realOf(*stated.exact);
    }
    return parseReal(*stated.text);
}

std::optional<std::uint64_t> statedWhole(const Property& property, const StatedValue& stated) {
    if (stated.exact) {
        if (property.field.dataType == DataType::Date) {
            const auto* date = std::get_if<types::DateValue>(&stated.exact->value);
            return date != nullptr ? std::optional<std::uint64_t>(date->days) : std::nullopt;
        }
        const auto* n = std::get_if<types::UnsignedValue>(&stated.exact->value);
        return n != nullptr ? std::optional<std::uint64_t>(n->value) : std::nullopt;
    }
    if (property.field.dataType == DataType::Date) {
        const auto days = tedsDayOf(*stated.text);
        if (!days || *days < 0) return std::nullopt;
        return static_cast<std::uint64_t>(*days);
    }
    return wholeNumberOf(*stated.text);
}

bool statesNone(const StatedValue& stated) {
    return stated.exact ? std::holds_alternative<types::NoValue>(stated.exact->value) : *stated.text == "none";
}

}  // namespace

std::optional<std::uint64_t> wholeNumberOf(const std::string& text) {
    std::uint64_t value = 0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    if (text.empty() || result.ec != std::errc() || result.ptr != end) return std::nullopt;
    return value;
}

std::optional<std::int64_t> tedsDayOf(const std::string& text) {
    namespace g = boost::gregorian;
    const bool shaped = text.size() == 10 && text[4] == '-' && text[7] == '-' &&
                        std::all_of(text.begin(), text.end(), [](char c) { return c == '-' || (c >= '0' && c <= '9'); });
    if (!shaped) return std::nullopt;
    const auto number = [&](std::size_t at, std::size_t length) {
        int n = 0;
        std::from_chars(text.data() + at, text.data() + at + length, n);
        return n;
    };
    const int year = number(0, 4), month = number(5, 2), day = number(8, 2);
    // No such day, or a year the calendar does not hold: checked here, since
    // constructing one throws.
    if (year < 1400 || month < 1 || month > 12 || day < 1) return std::nullopt;
    const auto y = static_cast<unsigned short>(year), m = static_cast<unsigned short>(month);
    if (day > g::gregorian_calendar::end_of_month_day(y, m)) return std::nullopt;
    const g::date date(y, m, static_cast<unsigned short>(day));
    return static_cast<std::int64_t>((date - g::date(1998, 1, 1)).days());
}

FieldValue propertyValue(const Property& property, const StatedValue& stated, bool strict,
                         types::RecordStore& store) {
    const std::string& name = property.declaration.name;
    if (!stated.exact && !stated.text) return refused(name + ": needs a value, not a list of elements");
    if (types::isTextType(property.field.dataType)) return textValue(property, stated, store);

    if (property.field.dataType == DataType::Single) {
        // All ones is the pattern of erased memory; in a Single it reads as a NaN.
        const std::optional<double> x = statesNone(stated)
                                            ? std::optional<double>(std::bit_cast<float>(0xFFFFFFFFu))
                                            : statedReal(stated);
        if (!x) return refused(name + ": '" + stated.text.value_or("") + "' is not a number");
        return singleValue(property, *x, strict);
    }
    if (statesNone(stated)) return fromRaw(property, ~std::uint64_t{0});

    switch (property.field.dataType) {
    case DataType::Date: {
        const auto days = statedWhole(property, stated);
        if (!days) {
            if (stated.text && tedsDayOf(*stated.text))
                return refused(name + ": " + *stated.text + " is before 1998-01-01, where TEDS dates begin");
            return refused(name + ": '" + stated.text.value_or("") + "' is not a date of the form YYYY-MM-DD");
        }
        return wholeValue(property, *days, stated.text.value_or(std::to_string(*days) + " days"));
    }
    case DataType::Unint: {
        const auto n = statedWhole(property, stated);
        if (!n) return refused(name + ": '" + stated.text.value_or("") + "' is not a whole number");
        return wholeValue(property, *n, stated.text.value_or(std::to_string(*n)));
    }
    case DataType::ConRes:
    case DataType::ConRelRes: {
        const auto x = statedReal(stated);
        if (!x) return refused(name + ": '" + stated.text.value_or("") + "' is not a number");
        return gridValue(property, *x, strict);
    }
    default:
        return refused(name + ": decoding keeps no value of its data type, so it cannot be written back");
    }
}

FieldValue enumValue(const tdl::nodes::EnumProperty& property, const StatedValue& stated) {
    const std::string& name = property.declaration.name;
    std::optional<std::uint64_t> index;
    if (stated.exact) {
        if (const auto* value = std::get_if<types::EnumValue>(&stated.exact->value)) index = value->index;
    } else if (stated.text) {
        if (property.enumRef != nullptr)
            if (const auto found = property.enumRef->indexOf(*stated.text)) index = *found;
        if (!index) index = wholeNumberOf(*stated.text);
    }
    if (!index) {
        std::string texts;
        if (property.enumRef != nullptr)
            for (const auto& entry : property.enumRef->entries) texts += (texts.empty() ? "" : ", ") + entry.text;
        return refused(name + ": '" + stated.text.value_or("") + "' is neither an index nor one of its texts (" +
                       texts + ")");
    }
    const std::uint32_t sz = property.declaration.width;
    if (sz < 64 && (*index >> sz) != 0)
        return refused(name + ": index " + std::to_string(*index) + " does not fit its " + std::to_string(sz) +
                       "-bit field");
    types::EnumValue value{*index, {}};
    if (property.enumRef != nullptr)
        if (const std::string* text = property.enumRef->textFor(value.index)) value.text = *text;
    return accepted(ValueRecord{value, &property.declaration});
}

}  // namespace teds::encode
