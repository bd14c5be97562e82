#include "teds/decode/PositionIndex.hpp"

#include "teds/decode/ValueLookup.hpp"
#include "teds/types/RecordWalk.hpp"

namespace teds::decode {

PositionIndex::PositionIndex(const std::vector<TemplateRecord>& templates) {
    std::size_t total = 0;
    for (const TemplateRecord& record : templates) total += static_cast<std::size_t>(countValues(record.values));
    records_.reserve(total);
    starts_.reserve(templates.size() + 1);
    for (const TemplateRecord& record : templates) {
        starts_.push_back(records_.size());
        add(record.values);
    }
    starts_.push_back(records_.size());
}

void PositionIndex::add(const std::vector<types::ValueRecord>& values) {
    types::forEachRecord(values, types::kPositioned,
                         [&](const types::ValueRecord& record) { records_.push_back(&record); });
}

bool PositionIndex::holds(std::size_t templateIndex) const {
    return !starts_.empty() && templateIndex < starts_.size() - 1;
}

std::int32_t PositionIndex::count(std::size_t templateIndex) const {
    if (!holds(templateIndex)) return 0;
    return static_cast<std::int32_t>(starts_[templateIndex + 1] - starts_[templateIndex]);
}

const types::ValueRecord* PositionIndex::at(std::size_t templateIndex, std::uint32_t position) const {
    if (!holds(templateIndex)) return nullptr;
    const std::size_t begin = starts_[templateIndex];
    const std::size_t end = starts_[templateIndex + 1];
    return position < end - begin ? records_[begin + position] : nullptr;
}

}  // namespace teds::decode
