#include "teds/tdl/nodes/Enum.hpp"

namespace teds::tdl::nodes {

void Enum::dump(std::ostream& out, const std::string& indent) const {
    out << indent << "enum '" << name << "' <";
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (i != 0) out << ", ";
        out << entries[i].value << '=' << entries[i].text;
    }
    out << ">\n";
}

const std::string* Enum::textFor(std::uint32_t index) const {
    for (const EnumEntry& entry : entries)
        if (entry.value >= 0 && static_cast<std::uint32_t>(entry.value) == index) return &entry.text;
    return nullptr;
}

std::optional<std::uint32_t> Enum::indexOf(std::string_view text) const {
    for (const EnumEntry& entry : entries)
        if (entry.text == text && entry.value >= 0) return static_cast<std::uint32_t>(entry.value);
    return std::nullopt;
}

}  // namespace teds::tdl::nodes
