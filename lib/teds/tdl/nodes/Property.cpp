#include "teds/tdl/nodes/Property.hpp"

#include <algorithm>
#include <bit>
#include <cmath>

#include <boost/math/policies/error_handling.hpp>

#include "teds/types/Chr5.hpp"

namespace teds::tdl::nodes {
namespace {

const char* qualifierKeyword(Qualifier qualifier) {
    switch (qualifier) {
    case Qualifier::Default: return "DEFAULT";
    case Qualifier::Initialize: return "INITIALIZE";
    case Qualifier::CtrlFunctionMask: return "CTRLFUNCTIONMASK";
    case Qualifier::ReadWrite: return "READWRITE";
    case Qualifier::FunctionType: return "FUNCTIONTYPE";
    case Qualifier::Function: return "FUNCTION";
    default: return nullptr;
    }
}

// Whether a field read back says what was meant: exactly, for singles as
// the nearest float, for scaled reals within the one step that rounding may cost.
bool readsBackAs(const types::ValueRecord& wanted, const types::ValueRecord& got, const Property& property) {
    if (wanted.value.index() != got.value.index()) return false;
    if (const auto* want = std::get_if<types::TextValue>(&wanted.value);
        want != nullptr && types::isFixedWidthText(property.dataType)) {
        // A text shorter than its field, as one cut by the end of its image
        // decodes, is written filled up with characters of code 0.
        const std::string& have = std::get_if<types::TextValue>(&got.value)->text;
        const char fill = property.dataType == types::DataType::Chr5 ? types::chr5ToChar(0) : '\0';
        return have.size() >= want->text.size() && have.compare(0, want->text.size(), want->text) == 0 &&
               std::all_of(have.begin() + static_cast<std::ptrdiff_t>(want->text.size()), have.end(),
                           [fill](char c) { return c == fill; });
    }
    if (!std::holds_alternative<types::RealValue>(wanted.value)) return wanted.value == got.value;
    const double want = std::get_if<types::RealValue>(&wanted.value)->value;
    const double have = std::get_if<types::RealValue>(&got.value)->value;
    // Compared as bits, so that a NaN (an erased field reads as one) reads back as itself.
    if (property.dataType == types::DataType::Single)
        return std::bit_cast<std::uint32_t>(static_cast<float>(want)) == std::bit_cast<std::uint32_t>(static_cast<float>(have));
    double tolerance = 0.0;
    if (property.dataType == types::DataType::ConRes)
        tolerance = std::abs(property.step);
    else if (property.dataType == types::DataType::ConRelRes)
        tolerance = std::abs(want) * 2.0 * std::abs(property.step);
    return std::abs(want - have) <= tolerance * 1.0001;
}

}  // namespace

std::string Property::displayName() const {
    if (qualifier == Qualifier::None) return declaration.name;
    const char* keyword = qualifierKeyword(qualifier);
    return declaration.name + "[" + (keyword ? std::string(keyword) : qualifierText) + "]";
}

types::FieldSpec Property::fieldSpec() const {
    types::FieldSpec field;
    field.sz = declaration.width;
    field.dataType = dataType;
    field.start = start;
    field.step = step;
    field.fixedRaw = fixedRaw;
    return field;
}

void Property::dump(std::ostream& out, const std::string& indent) const {
    out << indent << "Property '" << displayName() << "'; type=" << static_cast<std::int32_t>(dataType)
        << "; sz=" << declaration.width << " //" << declaration.description << '\n';
}

types::ValueRecord& Property::emplaceRecord(std::vector<types::ValueRecord>& out) const {
    types::ValueRecord& record = out.emplace_back();
    record.name = declaration.name;
    record.property = &declaration;
    return record;
}

bool Property::decode(types::BitReader& in, std::vector<types::ValueRecord>& out,
                      types::DecodeBudget& budget) const {
    // A qualified property describes behaviour, not memory: no bits, no value.
    if (qualifier != Qualifier::None) return true;

    if (types::isTextType(dataType)) {
        std::string text;
        types::decodeText(in, declaration.width, dataType, text);
        if (!budget.takeRecord(text.capacity())) return false;
        types::ValueRecord& record = emplaceRecord(out);
        record.value = types::TextValue{std::move(text)};
        return true;
    }
    // The value is read straight into its record, which is dropped again
    // for the types that yield none.
    if (!budget.takeRecord()) return false;
    types::ValueRecord& record = emplaceRecord(out);
    if (!types::decodeNumeric(in, fieldSpec(), record.value)) out.pop_back();
    return true;
}

bool Property::encode(RecordSource& records) const {
    // Neither a qualified property nor a fixed value occupies bits, so
    // writing one would shift every field behind it. A fixed value's record,
    // when given, is passed over.
    if (qualifier != Qualifier::None) return true;
    if (fixedRaw) {
        records.takeIfNamed(declaration.name);
        return true;
    }
    const types::ValueRecord* record = records.take(declaration.name);
    if (record == nullptr) return false;

    const std::uint32_t sz = declaration.width;
    const std::uint64_t from = records.out.position();
    bool written = false;
    if (std::holds_alternative<types::NoValue>(record->value) && !types::isTextType(dataType)) {
        written = records.out.writeBits(sz, types::noValuePattern(sz));
    } else {
        try {
            written = types::encodeField(records.out, fieldSpec(), record->value);
        } catch (const boost::math::rounding_error&) {
            return records.fail(declaration.name + " has no raw number in its field");
        }
    }
    if (!written) return records.fail("cannot encode " + declaration.name);
    return checkWritten(records, *record, from);
}

// A text longer than its field (or, counted, than its count field holds), a
// value too large for its field (which loses its high bits) and one that
// lands on the all-ones pattern (which reads as no value) all read back as
// something else.
bool Property::checkWritten(RecordSource& records, const types::ValueRecord& record, std::uint64_t from) const {
    const std::vector<std::uint8_t>& bytes = records.out.bytes();
    types::BitReader reader(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
    for (std::uint64_t left = from; left > 0; left -= std::min<std::uint64_t>(left, 64))
        reader.readBits(static_cast<std::uint32_t>(std::min<std::uint64_t>(left, 64)));
    std::vector<types::ValueRecord> back;
    types::DecodeBudget budget;
    if (!decode(reader, back, budget) || back.size() != 1 || !readsBackAs(record, back.front(), *this))
        return records.fail(declaration.name + " does not read back as the value given");
    return true;
}

void Property::collectNames(const std::string& prefix, bool usePrefix, std::vector<std::string>& names) const {
    names.push_back(usePrefix ? prefix + declaration.name : declaration.name);
}

}  // namespace teds::tdl::nodes
