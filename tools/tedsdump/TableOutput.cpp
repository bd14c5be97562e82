#include "TableOutput.hpp"

#include <cmath>
#include <vector>

#include "Columns.hpp"
#include "EscapeControls.hpp"

namespace tedsdump {
namespace {

namespace values = teds::api::values;
using teds_tools::escapeControls;
using teds::api::PropertyView;

using Row = std::vector<std::string>;  // name, value, unit, description

std::string valueText(const PropertyView& property) {
    return std::visit(teds::Overloaded{
                          [](const values::None&) -> std::string { return "(no value)"; },
                          [](const values::Text& v) { return '"' + escapeControls(v.text) + '"'; },
                          [](const values::Real& v) { return teds::api::realText(v.value); },
                          [](const values::Unsigned& v) { return std::to_string(v.value); },
                          [](const values::Date& v) {
                              if (auto date = teds::api::dateText(v.days)) return *date;
                              return std::to_string(v.days) + " days after 1998-01-01 (beyond 9999-12-31)";
                          },
                          [](const values::Enumeration& v) {
                              const std::string index = std::to_string(v.index);
                              if (v.text.empty()) return index + " (no text in the enumeration)";
                              return escapeControls(v.text) + " (" + index + ")";
                          },
                          [](const values::StructArray& v) {
                              return std::to_string(v.elements.size()) +
                                     (v.elements.size() == 1 ? " element" : " elements");
                          },
                      },
                      property.value);
}

// Struct array elements follow their array, each under an index line, one
// level deeper.
void collectRows(const std::vector<PropertyView>& properties, const std::string& indent, std::vector<Row>& rows) {
    for (const PropertyView& property : properties) {
        const std::string_view unit = property.unit ? std::string_view(property.unit->text) : std::string_view();
        rows.push_back(Row{indent + escapeControls(property.name), valueText(property), escapeControls(unit),
                           escapeControls(property.description)});
        const auto* array = std::get_if<values::StructArray>(&property.value);
        if (array == nullptr) continue;
        for (std::size_t i = 0; i < array->elements.size(); ++i) {
            rows.push_back(Row{indent + "  [" + std::to_string(i) + "]", "", "", ""});
            collectRows(array->elements[i], indent + "    ", rows);
        }
    }
}

std::string layoutText(std::int32_t layout) {
    if (layout == 2) return "standard (2)";
    if (layout == 1) return "early (1)";
    return "none (" + std::to_string(layout) + ")";
}

void writeBasicTeds(std::ostream& out, const teds::api::BasicTeds& basic) {
    const std::string letter = basic.versionLetter == ' ' ? "(blank)" : escapeControls(std::string(1, basic.versionLetter));
    out << "Basic TEDS\n";
    writeColumns(out,
              {Row{"Layout", layoutText(basic.layout)}, Row{"Manufacturer ID", std::to_string(basic.manufacturerId)},
               Row{"Model number", std::to_string(basic.modelNumber)}, Row{"Version letter", letter},
               Row{"Version number", std::to_string(basic.versionNumber)},
               Row{"Serial number", std::to_string(basic.serialNumber)}},
              "  ");
}

// "Scale  two-point: V -> Pa (pressure)", then what the scale is made of.
void writeScale(std::ostream& out, const teds::api::ScaleFound& found) {
    if (!found.scale) {
        out << "  Scale  none: " << escapeControls(found.reason) << '\n';
        return;
    }
    const teds::api::Scale& scale = *found.scale;
    out << "  Scale  " << teds::scale::kindName(scale.kind()) << ": " << escapeControls(scale.inputUnit()) << " -> "
        << escapeControls(scale.outputUnit());
    if (!scale.quantity().empty()) out << " (" << escapeControls(scale.quantity()) << ')';
    out << '\n';
    const teds::scale::ValueRange valid = scale.validInput();
    const bool known = !std::isnan(valid.low) && !std::isnan(valid.high);
    std::vector<Row> rows{Row{"valid input",
                              known ? teds::api::realText(valid.low) + " to " + teds::api::realText(valid.high)
                                    : std::string("not known (see the notes)"),
                              known ? escapeControls(scale.inputUnit()) : std::string()}};
    for (const teds::scale::ScaleConstant& constant : scale.constants())
        rows.push_back(
            Row{escapeControls(constant.name), teds::api::realText(constant.value), escapeControls(constant.unit)});
    const std::string indent(9, ' ');  // under the kind
    writeColumns(out, rows, indent);
    // Notes are sentences: in the table they would push the units far right.
    for (const std::string& note : scale.notes()) out << indent << "note: " << escapeControls(note) << '\n';
}

}  // namespace

void writeTable(std::ostream& out, const teds::api::Teds& teds, const std::string& container,
                const teds::api::ChannelConditions* scales) {
    out << "Container: " << container << "\n\n";
    writeBasicTeds(out, teds.basic());
    const std::vector<teds::api::TemplateView> templates = teds.templateViews();
    if (templates.empty()) {
        out << "\nNo template decoded: the image names no template that is loaded, or none at all.\n"
               "(--trace shows the template descriptors the image holds.)\n";
        return;
    }
    for (std::uint32_t index = 0; index < templates.size(); ++index) {
        const teds::api::TemplateView& tmpl = templates[index];
        const std::string name = escapeControls(tmpl.info.name);
        out << "\nTemplate " << tmpl.info.templateId << ", manufacturer key " << tmpl.info.manufacturerKey;
        if (!name.empty()) out << ": " << name;
        out << '\n';
        if (tmpl.missingBits > 0)
            out << "  Truncated: the image ends " << tmpl.missingBits << (tmpl.missingBits == 1 ? " bit" : " bits")
                << " before this template does; the fields there read as zeros.\n";
        std::vector<Row> rows{Row{"Property", "Value", "Unit", "Description"}};
        collectRows(tmpl.properties, "", rows);
        if (rows.size() == 1)
            out << "  (no properties)\n";
        else
            writeColumns(out, rows, "  ");
        if (scales != nullptr) writeScale(out, teds.scale(index, *scales));
    }
}

}  // namespace tedsdump
