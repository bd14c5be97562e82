#include "teds/api/ValueFormat.hpp"

#include <array>

#include "teds/decode/ValueText.hpp"
#include "teds_api.hpp"

namespace teds::api {

using types::ValueRecord;

std::string kindName(types::ValueKind kind) {
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

std::string realText(double value) { return decode::formatReal(value); }

std::optional<std::string> dateText(std::uint64_t days) { return decode::formatTedsDate(days); }

}  // namespace teds::api
