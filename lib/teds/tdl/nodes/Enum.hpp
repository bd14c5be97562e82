#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <unordered_map>

#include "teds/tdl/nodes/Node.hpp"

namespace teds::tdl::nodes {

struct EnumEntry {
    std::int32_t value = 0;
    std::string text;
};

// ENUMERATE: the texts that an enumeration property's index stands for.
class Enum final : public Node {
public:
    Enum(std::string name, std::vector<EnumEntry> entries);
    void dump(std::ostream& out, const std::string& indent) const override;

    // The text for an index; null when no entry has that value.
    const std::string* textFor(std::uint64_t index) const;
    // The index of the first entry with this text.
    std::optional<std::uint32_t> indexOf(std::string_view text) const;

    std::string name;
    // Const because the lookups below are built from it once.
    const std::vector<EnumEntry> entries;

private:
    // Both lookups run once per decoded record and an enumeration may hold
    // tens of thousands of entries, so neither scans them.
    // True when entries[i].value == i for every i, as a file's enumerations
    // always are: the entry for an index is then found by position.
    bool valuesArePositions_ = true;
    // Otherwise: index -> position of the first entry with that value.
    std::unordered_map<std::uint32_t, std::size_t> positionByValue_;
    // Text -> value of the first entry with that text and a value that is
    // an index. The keys view the texts in `entries`.
    std::unordered_map<std::string_view, std::uint32_t> valueByText_;
};

}  // namespace teds::tdl::nodes
