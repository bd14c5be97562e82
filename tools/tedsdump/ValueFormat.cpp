#include "ValueFormat.hpp"

#include <array>

namespace tedsdump {

using teds::types::ValueKind;
using teds::types::ValueRecord;

std::string kindName(ValueKind kind) {
    // In the order of the kinds' numbers; a select-case marker has no name.
    static constexpr std::array<const char*, 8> kNames{"none", "text", "real", "unsigned", "date", "enum", "array", ""};
    const auto index = static_cast<std::size_t>(kind);
    return index < kNames.size() ? kNames[index] : "";
}

std::optional<std::string> unitTextOf(const ValueRecord& record) {
    if (record.property == nullptr || record.property->unit == nullptr) return std::nullopt;
    return record.property->unit->text;
}

std::string descriptionOf(const ValueRecord& record) {
    return record.property == nullptr ? std::string() : record.property->description;
}

}  // namespace tedsdump
