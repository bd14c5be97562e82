#include "teds/decode/ValueLookup.hpp"

namespace teds::decode {
namespace {

// A struct-array record always holds its elements; boost::get throws on a
// record that breaks this, which the export boundary turns into a failure.
const StructElements& elementsOf(const ValueRecord& record) { return boost::get<StructElements>(record.value); }

}  // namespace

std::int32_t countValues(const std::vector<ValueRecord>& values) {
    std::int32_t count = 0;
    for (const ValueRecord& record : values) {
        switch (record.kind) {
        case ValueKind::StructArray:
            for (const StructElement& element : elementsOf(record)) count += countValues(element);
            break;
        case ValueKind::SelectMarker:
            break;
        default:
            ++count;
        }
    }
    return count;
}

const ValueRecord* selectByPosition(const std::vector<ValueRecord>& values, std::uint32_t& position) {
    for (const ValueRecord& record : values) {
        switch (record.kind) {
        case ValueKind::StructArray:
            for (const StructElement& element : elementsOf(record))
                if (const ValueRecord* found = selectByPosition(element, position)) return found;
            break;
        case ValueKind::SelectMarker:
            break;
        default:
            if (position == 0) return &record;
            --position;
        }
    }
    return nullptr;
}

void selectByName(const std::vector<ValueRecord>& values, std::string_view name,
                  std::vector<const ValueRecord*>& matches) {
    for (const ValueRecord& record : values) {
        if (record.kind == ValueKind::StructArray) {
            for (const StructElement& element : elementsOf(record)) selectByName(element, name, matches);
        } else if (record.name == name) {
            matches.push_back(&record);
        }
    }
}

}  // namespace teds::decode
