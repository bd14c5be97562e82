#include "teds/decode/ValueText.hpp"

#include <charconv>
#include <cmath>

#include <boost/date_time/gregorian/gregorian.hpp>

namespace teds::decode {
namespace {

struct ValueTextWriter : boost::static_visitor<void> {
    std::ostream& out;
    explicit ValueTextWriter(std::ostream& out) : out(out) {}

    void operator()(std::uint64_t value) const { out << value; }
    void operator()(double value) const { out << value; }
    void operator()(const std::string& text) const { out << text; }
    void operator()(const types::StructElements& elements) const { out << '<' << elements.size() << " elements>"; }
    void operator()(const types::EnumValue& value) const { out << value.text << " (" << value.index << ')'; }
};

}  // namespace

void writeValueText(std::ostream& out, const types::ValueRecord& record) {
    if (record.kind == types::ValueKind::None) {
        out << "<no value>";
        return;
    }
    boost::apply_visitor(ValueTextWriter(out), record.value);
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
    switch (record.kind) {
    case types::ValueKind::None: return "none";
    case types::ValueKind::Text: return boost::get<std::string>(record.value);
    case types::ValueKind::Real: return formatReal(boost::get<double>(record.value));
    case types::ValueKind::Unsigned: return std::to_string(boost::get<std::uint64_t>(record.value));
    case types::ValueKind::Date: {
        const std::uint64_t days = boost::get<std::uint64_t>(record.value);
        return formatTedsDate(days).value_or(std::to_string(days));
    }
    case types::ValueKind::Enumeration: {
        // An index the enumeration has no text for is set by its number.
        const auto& value = boost::get<types::EnumValue>(record.value);
        return value.text.empty() ? std::to_string(value.index) : std::string(value.text);
    }
    case types::ValueKind::StructArray: return std::to_string(boost::get<types::StructElements>(record.value).size());
    case types::ValueKind::SelectMarker: break;
    }
    return {};
}

}  // namespace teds::decode
