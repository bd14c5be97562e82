#include "ValueFormat.hpp"

namespace tedsdump {

using teds::types::ValueKind;
using teds::types::ValueRecord;

std::string kindName(ValueKind kind) {
    switch (kind) {
    case ValueKind::None: return "none";
    case ValueKind::Text: return "text";
    case ValueKind::Real: return "real";
    case ValueKind::Unsigned: return "unsigned";
    case ValueKind::Date: return "date";
    case ValueKind::Enumeration: return "enum";
    case ValueKind::StructArray: return "array";
    case ValueKind::SelectMarker: return {};
    }
    return {};
}

std::optional<std::string> unitTextOf(const ValueRecord& record) {
    if (record.property == nullptr || record.property->unit == nullptr) return std::nullopt;
    return record.property->unit->text;
}

std::string descriptionOf(const ValueRecord& record) {
    return record.property == nullptr ? std::string() : record.property->description;
}

}  // namespace tedsdump
