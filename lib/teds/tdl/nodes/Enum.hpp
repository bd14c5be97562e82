#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "teds/tdl/nodes/Node.hpp"

namespace teds::tdl::nodes {

struct EnumEntry {
    std::int32_t value = 0;
    std::string text;
};

// ENUMERATE: the texts that an enumeration property's index stands for.
class Enum final : public Node {
public:
    Enum(std::string name, std::vector<EnumEntry> entries)
        : name(std::move(name)), entries(std::move(entries)) {}
    void dump(std::ostream& out, const std::string& indent) const override;

    // The text for an index; null when no entry has that value.
    const std::string* textFor(std::uint32_t index) const;
    // The index of the first entry with this text.
    std::optional<std::uint32_t> indexOf(std::string_view text) const;

    std::string name;
    std::vector<EnumEntry> entries;
};

}  // namespace teds::tdl::nodes
