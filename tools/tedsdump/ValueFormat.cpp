#include "ValueFormat.hpp"

#include <charconv>
#include <cmath>

#include <boost/date_time/gregorian/gregorian.hpp>

namespace tedsdump {

using teds::types::ValueKind;
using teds::types::ValueRecord;
namespace gregorian = boost::gregorian;

std::string formatReal(double value) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    // to_chars without a precision gives the shortest round-trip form.
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::optional<std::string> formatTedsDate(std::uint32_t days) {
    const gregorian::date epoch(1998, gregorian::Jan, 1);
    // Checked before adding: the calendar throws rather than wrap.
    static const long long lastDay = (gregorian::date(9999, gregorian::Dec, 31) - epoch).days();
    if (static_cast<long long>(days) > lastDay) return std::nullopt;
    const gregorian::date date = epoch + gregorian::days(static_cast<long>(days));
    return gregorian::to_iso_extended_string(date);
}

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
