#include "TemplateEncoder.hpp"

#include <algorithm>
#include <cmath>

#include "teds/tdl/nodes/EnumProperty.hpp"
#include "teds/tdl/nodes/Property.hpp"
#include "teds/tdl/nodes/SelectCase.hpp"
#include "teds/tdl/nodes/StructArray.hpp"
#include "teds/types/DataType.hpp"

namespace example_images {
namespace {

using teds::decode::BitStream;
using teds::decode::ValueKind;
using teds::decode::ValueRecord;
using teds::types::DataType;
namespace nodes = teds::tdl::nodes;

std::uint64_t bitPosition(const BitStream& stream) {
    return static_cast<std::uint64_t>(stream.current - stream.begin) * 8u + stream.bitIndex;
}

// How many bits decoding reads for a property that occupies bits.
std::uint64_t decodedWidth(const nodes::Property& property) {
    switch (static_cast<DataType>(property.dataType)) {
    case DataType::Chr5: return property.sz / 5 * 5;
    case DataType::Ascii: return property.sz / 7 * 7;
    default: return property.sz;
    }
}

// Whether a field read back from the image says what was meant: exactly, for
// singles as the nearest float, for scaled reals within the one step that
// rounding may cost.
bool readsBackAs(const ValueRecord& wanted, const ValueRecord& got, const nodes::Property& property) {
    if (wanted.kind != got.kind) return false;
    if (wanted.kind == ValueKind::None) return true;
    if (wanted.kind != ValueKind::Real) return wanted.value == got.value;
    const double want = boost::get<double>(wanted.value);
    const double have = boost::get<double>(got.value);
    // A single holds the nearest float to what was asked.
    if (property.dataType == static_cast<std::int32_t>(DataType::Single))
        return static_cast<double>(static_cast<float>(want)) == have;
    double tolerance = 0.0;
    if (property.dataType == static_cast<std::int32_t>(DataType::ConRes))
        tolerance = std::abs(property.step);
    else if (property.dataType == static_cast<std::int32_t>(DataType::ConRelRes))
        tolerance = std::abs(want) * 2.0 * std::abs(property.step);
    return std::abs(want - have) <= tolerance * 1.0001;
}

class Encoder {
public:
    Encoder(BitStream& stream, std::string& error) : stream_(stream), error_(error) {}

    bool encodeList(const nodes::NodeList& list, const std::vector<ValueRecord>& values, std::size_t& next) {
        for (const nodes::NodePtr& node : list)
            if (!encodeNode(*node, values, next)) return false;
        return true;
    }

private:
    bool encodeNode(const nodes::Node& node, const std::vector<ValueRecord>& values, std::size_t& next) {
        if (const auto* property = dynamic_cast<const nodes::Property*>(&node)) {
            if (property->qualifier != 0 || property->fixedRaw) return true;
            const ValueRecord* record = take(values, next, property->name);
            if (record == nullptr) return false;
            const std::uint64_t before = bitPosition(stream_);
            if (!property->encode(stream_, *record)) return fail("cannot encode " + property->name);
            // Text encoders write one field per character, whatever the width.
            if (bitPosition(stream_) - before != decodedWidth(*property))
                return fail(property->name + " does not fill its " + std::to_string(property->sz) + " bits");
            // A value too large for its field loses its high bits, and one that
            // lands on the all-ones pattern reads back as no value.
            const auto back = readBack(*property, before);
            if (!back || !readsBackAs(*record, *back, *property))
                return fail(property->name + " does not read back as the value given");
            return true;
        }
        if (const auto* enumProperty = dynamic_cast<const nodes::EnumProperty*>(&node)) {
            if (enumProperty->hasFixedIndex || enumProperty->hasFixedText) return true;
            const ValueRecord* record = take(values, next, enumProperty->name);
            if (record == nullptr) return false;
            const auto* index = boost::get<teds::decode::EnumValue>(&record->value);
            if (index == nullptr || (enumProperty->sz < 32 && index->index >> enumProperty->sz != 0))
                return fail(enumProperty->name + " needs an index that fits " + std::to_string(enumProperty->sz) + " bits");
            return enumProperty->encode(stream_, *record) || fail("cannot encode " + enumProperty->name);
        }
        if (const auto* select = dynamic_cast<const nodes::SelectCase*>(&node)) {
            const ValueRecord* record = take(values, next, "");
            if (record == nullptr) return false;
            const auto* index = boost::get<std::uint32_t>(&record->value);
            if (record->kind != ValueKind::SelectMarker || index == nullptr || *index >= select->cases.size())
                return fail("select case '" + select->name + "' needs a case index");
            if (!select->encode(stream_, *record)) return fail("cannot encode select case '" + select->name + "'");
            return encodeList(select->cases[*index].nodes, values, next);
        }
        if (const auto* array = dynamic_cast<const nodes::StructArray*>(&node)) {
            const ValueRecord* record = take(values, next, array->name);
            if (record == nullptr) return false;
            const auto* elements = boost::get<teds::decode::StructElements>(&record->value);
            if (elements == nullptr) return fail(array->name + " needs its elements");
            // Struct arrays have no encode operation of their own: the count
            // is a plain field.
            if (array->countBits < 32 && elements->size() >> array->countBits != 0)
                return fail(array->name + " has more elements than its count field holds");
            if (!stream_.writeBits(array->countBits, elements->size())) return fail("image buffer too small");
            for (const auto& element : *elements) {
                std::size_t inElement = 0;
                if (!encodeList(array->children, element, inElement)) return false;
                if (inElement != element.size()) return fail(array->name + " element has values the template lacks");
            }
            return true;
        }
        return true;  // declarations and layout items occupy no bits
    }

    // Decodes `node` from bit `from` of what has been written so far.
    std::optional<ValueRecord> readBack(const nodes::Node& node, std::uint64_t from) const {
        auto reader = BitStream::create(stream_.begin, stream_.length);
        for (std::uint64_t left = from; left > 0;) {
            const auto chunk = static_cast<std::uint32_t>(std::min<std::uint64_t>(left, 64));
            reader.readBits(chunk);
            left -= chunk;
        }
        std::vector<ValueRecord> out;
        teds::decode::RecordBudget budget;
        if (!node.decode(reader, out, budget) || out.size() != 1) return std::nullopt;
        return out.front();
    }

    const ValueRecord* take(const std::vector<ValueRecord>& values, std::size_t& next, const std::string& name) {
        if (next >= values.size()) {
            fail("no value given for '" + name + "'");
            return nullptr;
        }
        const ValueRecord& record = values[next];
        if (record.name != name) {
            fail("expected a value for '" + name + "', found '" + record.name + "'");
            return nullptr;
        }
        ++next;
        return &record;
    }

    bool fail(std::string message) {
        if (error_.empty()) error_ = std::move(message);
        return false;
    }

    BitStream& stream_;
    std::string& error_;
};

}  // namespace

bool encodeTemplateBody(const teds::tdl::Template& tmpl, const std::vector<ValueRecord>& values, BitStream& stream,
                        std::string& error) {
    std::size_t next = 0;
    if (!Encoder(stream, error).encodeList(tmpl.body, values, next)) return false;
    if (next != values.size()) {
        error = "template " + std::to_string(tmpl.templateId) + " has no field for '" + values[next].name + "'";
        return false;
    }
    return true;
}

}  // namespace example_images
