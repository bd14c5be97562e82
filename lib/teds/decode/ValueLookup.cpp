#include "teds/decode/ValueLookup.hpp"

namespace teds::decode {
namespace {

// A struct-array record always holds its elements; boost::get throws on a
// record that breaks this, which the export boundary turns into a failure.
const StructElements& elementsOf(const ValueRecord& record) { return boost::get<StructElements>(record.value); }

// Calls `visit` for every record selectByName matches, in its order, until
// `visit` returns true; true if it did.
template <class Visit>
bool forEachNamed(const std::vector<ValueRecord>& values, std::string_view name, Visit& visit) {
    for (const ValueRecord& record : values) {
        if (record.kind == ValueKind::StructArray) {
            for (const StructElement& element : elementsOf(record))
                if (forEachNamed(element, name, visit)) return true;
        } else if (record.name == name && visit(record)) {
            return true;
        }
    }
    return false;
}

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
    auto collect = [&](const ValueRecord& record) {
        matches.push_back(&record);
        return false;
    };
    forEachNamed(values, name, collect);
}

const ValueRecord* selectByName(const std::vector<ValueRecord>& values, std::string_view name,
                                std::uint32_t occurrence) {
    const ValueRecord* found = nullptr;
    auto stopAtOccurrence = [&](const ValueRecord& record) {
        if (occurrence-- != 0) return false;
        found = &record;
        return true;
    };
    forEachNamed(values, name, stopAtOccurrence);
    return found;
}

std::int32_t countByName(const std::vector<ValueRecord>& values, std::string_view name) {
    std::int32_t count = 0;
    auto countIt = [&](const ValueRecord&) {
        ++count;
        return false;
    };
    forEachNamed(values, name, countIt);
    return count;
}

}  // namespace teds::decode
