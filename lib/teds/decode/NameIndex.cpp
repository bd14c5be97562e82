#include "teds/decode/NameIndex.hpp"

#include "teds/types/RecordWalk.hpp"

namespace teds::decode {

NameIndex::NameIndex(const std::vector<TemplateRecord>& templates) {
    byTemplate_.resize(templates.size());
    for (std::size_t i = 0; i < templates.size(); ++i) add(templates[i].values, byTemplate_[i]);
}

void NameIndex::add(const std::vector<types::ValueRecord>& values, ByName& names) {
    types::forEachRecord(values, types::kNamed,
                         [&](const types::ValueRecord& record) { names[record.name()].push_back(&record); });
}

const NameIndex::Occurrences* NameIndex::occurrences(std::size_t templateIndex, std::string_view name) const {
    if (templateIndex >= byTemplate_.size()) return nullptr;
    const ByName& names = byTemplate_[templateIndex];
    const auto found = names.find(name);
    return found == names.end() ? nullptr : &found->second;
}

std::int32_t NameIndex::count(std::size_t templateIndex, std::string_view name) const {
    const Occurrences* found = occurrences(templateIndex, name);
    return found ? static_cast<std::int32_t>(found->size()) : 0;
}

const types::ValueRecord* NameIndex::at(std::size_t templateIndex, std::string_view name,
                                        std::uint32_t occurrence) const {
    const Occurrences* found = occurrences(templateIndex, name);
    return found && occurrence < found->size() ? (*found)[occurrence] : nullptr;
}

}  // namespace teds::decode
