#include "teds/decode/ValueLookup.hpp"

namespace teds::decode {
namespace {

// A struct-array record always holds its elements; boost::get throws on a
// record that breaks this, which the export boundary turns into a failure.
const types::StructElements& elementsOf(const types::ValueRecord& record) { return boost::get<types::StructElements>(record.value); }

// Calls `visit` for every record selectByName matches, in its order, until
// `visit` returns true; true if it did.
template <class Visit>
bool forEachNamed(const std::vector<types::ValueRecord>& values, std::string_view name, Visit& visit) {
    for (const types::ValueRecord& record : values) {
        if (record.kind == types::ValueKind::StructArray) {
            for (const types::StructElement& element : elementsOf(record))
                if (forEachNamed(element, name, visit)) return true;
        } else if (record.name == name && visit(record)) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::int32_t countValues(const std::vector<types::ValueRecord>& values) {
    std::int32_t count = 0;
    for (const types::ValueRecord& record : values) {
        switch (record.kind) {
        case types::ValueKind::StructArray:
            for (const types::StructElement& element : elementsOf(record)) count += countValues(element);
            break;
        case types::ValueKind::SelectMarker:
            break;
        default:
            ++count;
        }
    }
    return count;
}

const types::ValueRecord* selectByPosition(const std::vector<types::ValueRecord>& values, std::uint32_t& position) {
    for (const types::ValueRecord& record : values) {
        switch (record.kind) {
        case types::ValueKind::StructArray:
            for (const types::StructElement& element : elementsOf(record))
                if (const types::ValueRecord* found = selectByPosition(element, position)) return found;
            break;
        case types::ValueKind::SelectMarker:
            break;
        default:
            if (position == 0) return &record;
            --position;
        }
    }
    return nullptr;
}

void selectByName(const std::vector<types::ValueRecord>& values, std::string_view name,
                  std::vector<const types::ValueRecord*>& matches) {
    auto collect = [&](const types::ValueRecord& record) {
        matches.push_back(&record);
        return false;
    };
    forEachNamed(values, name, collect);
}

const types::ValueRecord* selectByName(const std::vector<types::ValueRecord>& values, std::string_view name,
                                std::uint32_t occurrence) {
    const types::ValueRecord* found = nullptr;
    auto stopAtOccurrence = [&](const types::ValueRecord& record) {
        if (occurrence-- != 0) return false;
        found = &record;
        return true;
    };
    forEachNamed(values, name, stopAtOccurrence);
    return found;
}

std::int32_t countByName(const std::vector<types::ValueRecord>& values, std::string_view name) {
    std::int32_t count = 0;
    auto countIt = [&](const types::ValueRecord&) {
        ++count;
        return false;
    };
    forEachNamed(values, name, countIt);
    return count;
}

}  // namespace teds::decode
