#include "teds/tdl/nodes/Enum.hpp"

namespace teds::tdl::nodes {

Enum::Enum(std::string name, std::vector<EnumEntry> entries)
    : name(std::move(name)), entries(std::move(entries)) {
    for (std::size_t i = 0; i < this->entries.size(); ++i)
        if (this->entries[i].value < 0 || static_cast<std::size_t>(this->entries[i].value) != i)
            valuesArePositions_ = false;
    // emplace keeps the first entry of a value or text; negative values are
    // no index and never found.
    for (std::size_t i = 0; i < this->entries.size(); ++i) {
        const EnumEntry& entry = this->entries[i];
        if (entry.value < 0) continue;
        const auto value = static_cast<std::uint32_t>(entry.value);
        if (!valuesArePositions_) positionByValue_.emplace(value, i);
        valueByText_.emplace(entry.text, value);
    }
}

void Enum::dump(std::ostream& out, const std::string& indent) const {
    out << indent << "enum '" << name << "' <";
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (i != 0) out << ", ";
        out << entries[i].value << '=' << entries[i].text;
    }
    out << ">\n";
}

const std::string* Enum::textFor(std::uint64_t index) const {
    if (valuesArePositions_) return index < entries.size() ? &entries[static_cast<std::size_t>(index)].text : nullptr;
    // Entry values are 32-bit; a wider index names none of them.
    if (index > UINT32_MAX) return nullptr;
    auto found = positionByValue_.find(static_cast<std::uint32_t>(index));
    return found == positionByValue_.end() ? nullptr : &entries[found->second].text;
}

std::optional<std::uint32_t> Enum::indexOf(std::string_view text) const {
    auto found = valueByText_.find(text);
    if (found == valueByText_.end()) return std::nullopt;
    return found->second;
}

}  // namespace teds::tdl::nodes
