#pragma once
// Every record of each template of a decoded image by name, each name's
// records in the order selection by name finds them, so that reading every
// occurrence of a name costs one step each instead of a walk from the start.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "teds/decode/TemplateRecord.hpp"

namespace teds::decode {

class NameIndex {
public:
    NameIndex() = default;
    // The records must stay where they are for as long as the index is used.
    explicit NameIndex(const std::vector<TemplateRecord>& templates);

    // What countByName gives for the template's values.
    std::int32_t count(std::size_t templateIndex, std::string_view name) const;
    // What selectByName gives for the template's values; null past the last occurrence.
    const types::ValueRecord* at(std::size_t templateIndex, std::string_view name, std::uint32_t occurrence) const;

private:
    using Occurrences = std::vector<const types::ValueRecord*>;
    using ByName = std::unordered_map<std::string_view, Occurrences>;

    static void add(const std::vector<types::ValueRecord>& values, ByName& names);
    const Occurrences* occurrences(std::size_t templateIndex, std::string_view name) const;

    std::vector<ByName> byTemplate_;
};

}  // namespace teds::decode
