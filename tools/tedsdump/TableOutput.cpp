#include "TableOutput.hpp"

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

#include "ValueFormat.hpp"
#include "teds/tdl/Template.hpp"
#include "teds/types/RecordWalk.hpp"

namespace tedsdump {
namespace {

using teds::decode::DecodedTeds;
using teds::types::EnumValue;
using teds::types::ValueRecord;

constexpr std::size_t kColumnCount = 4;
using Row = std::array<std::string, kColumnCount>;  // name, value, unit, description

// Columns line up by characters, not bytes: UTF-8 continuation bytes take no column.
std::size_t displayWidth(std::string_view text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string valueText(const ValueRecord& record) {
    return std::visit(teds::types::Overloaded{
                          [](const teds::types::NoValue&) -> std::string { return "(no value)"; },
                          [](const teds::types::TextValue& v) { return '"' + escapeControls(v.text) + '"'; },
                          [](const teds::types::RealValue& v) { return formatReal(v.value); },
                          [](const teds::types::UnsignedValue& v) { return std::to_string(v.value); },
                          [](const teds::types::DateValue& v) {
                              if (auto date = formatTedsDate(v.days)) return *date;
                              return std::to_string(v.days) + " days after 1998-01-01 (beyond 9999-12-31)";
                          },
                          [](const EnumValue& v) {
                              const std::string index = std::to_string(v.index);
                              if (v.text.empty()) return index + " (no text in the enumeration)";
                              return escapeControls(v.text) + " (" + index + ")";
                          },
                          [](const teds::types::StructArrayValue& v) {
                              return std::to_string(v.elements.size()) +
                                     (v.elements.size() == 1 ? " element" : " elements");
                          },
                          [](const teds::types::SelectMarkerValue&) -> std::string { return "(unreadable value)"; },
                      },
                      record.value);
}

// Struct array elements follow their array, each under an index line, one
// level deeper.
void collectRows(const std::vector<ValueRecord>& values, std::vector<Row>& rows) {
    struct {
        std::vector<Row>& rows;
        std::string indent;
        void record(const ValueRecord& record) {
            rows.push_back(Row{indent + escapeControls(record.name), valueText(record),
                               escapeControls(unitTextOf(record).value_or("")), escapeControls(descriptionOf(record))});
        }
        void enterElement(std::size_t i) {
            rows.push_back(Row{indent + "  [" + std::to_string(i) + "]", "", "", ""});
            indent += "    ";
        }
        void leaveElement() { indent.resize(indent.size() - 4); }
    } visitor{rows, {}};
    teds::types::walkRecords(values, teds::types::kShown, visitor);
}

void writeRows(std::ostream& out, const std::vector<Row>& rows, const std::string& indent) {
    std::array<std::size_t, kColumnCount> widths{};
    for (const Row& row : rows)
        for (std::size_t c = 0; c < kColumnCount; ++c) widths[c] = std::max(widths[c], displayWidth(row[c]));
    for (const Row& row : rows) {
        // The last non-empty cell ends the line: no trailing blanks.
        std::size_t last = kColumnCount;
        while (last > 0 && row[last - 1].empty()) --last;
        std::string line = indent;
        for (std::size_t c = 0; c < last; ++c) {
            line += row[c];
            if (c + 1 < last) line.append(widths[c] - displayWidth(row[c]) + 2, ' ');
        }
        out << line << '\n';
    }
}

std::string layoutText(teds::decode::BasicTedsLayout format) {
    using teds::decode::BasicTedsLayout;
    switch (format) {
    case BasicTedsLayout::Standard: return "standard (2)";
    case BasicTedsLayout::Early: return "early (1)";
    default: return "none (" + std::to_string(static_cast<std::int32_t>(format)) + ")";
    }
}

void writeBasicTeds(std::ostream& out, const teds::decode::BasicTeds& basic) {
    const std::string letter = basic.versionLetter == ' ' ? "(blank)" : escapeControls(std::string(1, basic.versionLetter));
    out << "Basic TEDS\n";
    writeRows(out,
              {Row{"Layout", layoutText(basic.format)}, Row{"Manufacturer ID", std::to_string(basic.manufacturerId)},
               Row{"Model number", std::to_string(basic.modelNumber)}, Row{"Version letter", letter},
               Row{"Version number", std::to_string(basic.versionNumber)},
               Row{"Serial number", std::to_string(basic.serialNumber)}},
              "  ");
}

}  // namespace

std::string escapeControls(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out;
}

void writeTable(std::ostream& out, const DecodedTeds& teds, const std::string& container) {
    out << "Container: " << container << "\n\n";
    writeBasicTeds(out, teds.basic);
    if (teds.templates.empty()) {
        out << "\nNo template decoded: the image names no template that is loaded, or none at all.\n"
               "(--trace shows the template descriptors the image holds.)\n";
        return;
    }
    for (const teds::decode::TemplateRecord& tmpl : teds.templates) {
        const std::string name = tmpl.templateRef != nullptr ? escapeControls(tmpl.templateRef->name) : std::string();
        out << "\nTemplate " << tmpl.templateId << ", manufacturer key " << tmpl.manufacturerKey;
        if (!name.empty()) out << ": " << name;
        out << '\n';
        if (tmpl.missingBits > 0)
            out << "  Truncated: the image ends " << tmpl.missingBits << (tmpl.missingBits == 1 ? " bit" : " bits")
                << " before this template does; the fields there read as zeros.\n";
        std::vector<Row> rows{Row{"Property", "Value", "Unit", "Description"}};
        collectRows(tmpl.values, rows);
        if (rows.size() == 1)
            out << "  (no properties)\n";
        else
            writeRows(out, rows, "  ");
    }
}

}  // namespace tedsdump
