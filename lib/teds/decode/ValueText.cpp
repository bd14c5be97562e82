#include "teds/decode/ValueText.hpp"

#include <charconv>
#include <cmath>

#include <boost/date_time/gregorian/gregorian.hpp>

namespace teds::decode {
void writeValueText(std::ostream& out, const types::ValueRecord& record) {
    std::visit(types::Overloaded{
                   [&](const types::NoValue&) { out << "<no value>"; },
                   [&](const types::TextValue& v) { out << v.text; },
                   [&](const types::RealValue& v) { out << v.value; },
                   [&](const types::UnsignedValue& v) { out << v.value; },
                   [&](const types::DateValue& v) { out << v.days; },
                   [&](const types::EnumValue& v) { out << v.text << " (" << v.index << ')'; },
                   [&](const types::StructArrayValue& v) { out << '<' << v.elements.size() << " elements>"; },
                   [&](const types::SelectMarkerValue& v) { out << v.selector; },
               },
               record.value);
}

std::string formatReal(double value) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    // to_chars without a precision gives the shortest round-trip form.
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::optional<std::string> formatTedsDate(std::uint64_t days) {
    namespace gregorian = boost::gregorian;
    const gregorian::date epoch(1998, gregorian::Jan, 1);
    // Checked before adding: the calendar throws rather than wrap.
    static const auto lastDay = static_cast<std::uint64_t>((gregorian::date(9999, gregorian::Dec, 31) - epoch).days());
    if (days > lastDay) return std::nullopt;
    const gregorian::date date = epoch + gregorian::days(static_cast<long>(days));
    return gregorian::to_iso_extended_string(date);
}

std::string writtenValueText(const types::ValueRecord& record) {
    return std::visit(
        types::Overloaded{
            [](const types::NoValue&) -> std::string { return "none"; },
            [](const types::TextValue& v) { return std::string(v.text); },
            [](const types::RealValue& v) { return formatReal(v.value); },
            [](const types::UnsignedValue& v) { return std::to_string(v.value); },
            [](const types::DateValue& v) { return formatTedsDate(v.days).value_or(std::to_string(v.days)); },
            // An index the enumeration has no text for is set by its number.
            [](const types::EnumValue& v) { return v.text.empty() ? std::to_string(v.index) : std::string(v.text); },
            [](const types::StructArrayValue& v) { return std::to_string(v.elements.size()); },
            [](const types::SelectMarkerValue&) { return std::string(); },
        },
        record.value);
}

}  // namespace teds::decode
