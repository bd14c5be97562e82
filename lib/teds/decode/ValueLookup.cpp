#include "teds/decode/ValueLookup.hpp"

#include "teds/types/RecordWalk.hpp"

namespace teds::decode {
namespace {

// Calls `visit` for every record selectByName matches, in its order, until
// `visit` returns true.
template <class Visit>
void forEachNamed(const std::vector<types::ValueRecord>& values, std::string_view name, Visit visit) {
    types::forEachRecord(values, types::kNamed,
                         [&](const types::ValueRecord& record) { return record.name() != name || !visit(record); });
}

}  // namespace

std::int32_t countValues(const std::vector<types::ValueRecord>& values) {
    std::int32_t count = 0;
    types::forEachRecord(values, types::kPositioned, [&](const types::ValueRecord&) { ++count; });
    return count;
}

const types::ValueRecord* selectByPosition(const std::vector<types::ValueRecord>& values, std::uint32_t& position) {
    const types::ValueRecord* found = nullptr;
    types::forEachRecord(values, types::kPositioned, [&](const types::ValueRecord& record) {
        if (position != 0) {
            --position;
            return true;
        }
        found = &record;
        return false;
    });
    return found;
}

const types::ValueRecord* selectByName(const std::vector<types::ValueRecord>& values, std::string_view name,
                                std::uint32_t occurrence) {
    const types::ValueRecord* found = nullptr;
    forEachNamed(values, name, [&](const types::ValueRecord& record) {
        if (occurrence-- != 0) return false;
        found = &record;
        return true;
    });
    return found;
}

std::int32_t countByName(const std::vector<types::ValueRecord>& values, std::string_view name) {
    std::int32_t count = 0;
    forEachNamed(values, name, [&](const types::ValueRecord&) {
        ++count;
        return false;
    });
    return count;
}

}  // namespace teds::decode
