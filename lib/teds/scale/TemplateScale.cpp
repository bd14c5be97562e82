#include "teds/scale/TemplateScale.hpp"

#include <cmath>

#include "teds/decode/ValueLookup.hpp"
#include "teds/scale/Measurands.hpp"
#include "teds/scale/NumberText.hpp"
#include "teds/scale/UnitNames.hpp"

namespace teds::scale {
namespace {

// A number the template decoded, in the unit it names, with that unit's
// slope applied so that the number is in the SI unit `unit` names.
struct Quantity {
    double value = 0.0;
    std::string unit;  // empty when the property names none
    const UnitRecord* record = nullptr;
};

// Why a value is not there, or nothing when it is.
struct Lookup {
    const decode::TemplateRecord& record;
    std::vector<std::string> missing;

    const types::ValueRecord* find(std::string_view name) const {
        return decode::selectByName(record.values, name, 0);
    }

    std::optional<Quantity> number(std::string_view name) {
        const types::ValueRecord* value = find(name);
        std::optional<double> number;
        if (value != nullptr) {
            if (const auto* real = std::get_if<types::RealValue>(&value->value)) number = real->value;
            if (const auto* whole = std::get_if<types::UnsignedValue>(&value->value))
                number = static_cast<double>(whole->value);
        }
        if (!number || !std::isfinite(*number)) {
            missing.push_back(std::string(name) + (value == nullptr ? "" : " (it holds no number)"));
            return std::nullopt;
        }
        Quantity quantity{*number, {}, value->property != nullptr ? value->property->unit : nullptr};
        if (quantity.record != nullptr) {
            // A unit with an offset (degrees Celsius) keeps the value as it
            // stands; one with a slope only is brought to SI.
            if (quantity.record->offset == 0.0) quantity.value *= quantity.record->slope;
            quantity.unit = unitName(*quantity.record);
        }
        return quantity;
    }

    std::string reason(std::string_view what) const {
        std::string text = std::string(what) + " needs ";
        for (std::size_t i = 0; i < missing.size(); ++i)
            text += (i == 0 ? "" : i + 1 == missing.size() ? " and " : ", ") + missing[i];
        return text + ", which the template does not decode";
    }
};

// The code of an enumeration or an unsigned field, if the template has it.
std::optional<std::uint64_t> codeOf(const Lookup& lookup, std::string_view name) {
    const types::ValueRecord* value = lookup.find(name);
    if (value == nullptr) return std::nullopt;
    if (const auto* entry = std::get_if<types::EnumValue>(&value->value)) return entry->index;
    if (const auto* whole = std::get_if<types::UnsignedValue>(&value->value)) return whole->value;
    return std::nullopt;
}

ScaleFound refused(std::string reason) { return {std::nullopt, std::move(reason)}; }

// Templates 25 and 27: the sensitivity in volts per physical unit.
ScaleFound sensitivityScale(Lookup& lookup) {
    const auto sensitivity = lookup.number("%Sens@Ref");
    if (!sensitivity) return refused(lookup.reason("a sensitivity scale"));
    if (sensitivity->record == nullptr || sensitivity->record->unitType != UnitType::Product ||
        sensitivity->record->offset != 0.0)
        return refused("%Sens@Ref names no unit of volts per physical unit, so the physical unit is not known");
    Exponents physical = voltExponents();
    for (std::size_t i = 0; i < physical.size(); ++i) physical[i] -= sensitivity->record->exponents[i];
    auto scale = Scale::sensitivity(sensitivity->value, "V", unitName(physical));
    if (!scale) return refused("%Sens@Ref is " + numberText(sensitivity->value) + ", which divides nothing");
    scale->describe(quantityOf(physical), {}, {});
    return {std::move(scale), {}};
}

// The electrical unit a template of the voltage, current, resistance and
// bridge family measures in when its range names none.
std::string electricalUnitOf(std::int32_t templateId) {
    switch (templateId) {
    case 30: return "V";
    case 31: return "A";
    case 32: return "Ohm";
    case 33:
    case 35: return "V/V";
    default: return {};
    }
}

// Templates 30 to 35: the line through the physical and electrical ranges.
ScaleFound twoPointScale(Lookup& lookup, std::int32_t templateId, const ChannelConditions& conditions) {
    const auto minPhys = lookup.number("%MinPhysVal");
    const auto maxPhys = lookup.number("%MaxPhysVal");
    const auto minElec = lookup.number("%MinElecVal");
    const auto maxElec = lookup.number("%MaxElecVal");
    if (!minPhys || !maxPhys || !minElec || !maxElec) return refused(lookup.reason("a two-point scale"));
    if (const auto method = codeOf(lookup, "%MapMeth"); method && *method != 0)
        return refused("the mapping method is not linear (code " + std::to_string(*method) + ")");

    std::vector<std::string> notes;
    std::string quantity;
    std::string physicalUnit = minPhys->unit;
    std::optional<std::uint64_t> code = codeOf(lookup, "%PhysMeasType");
    if (!code) code = codeOf(lookup, "%PhysMeasurand");
    if (physicalUnit.empty() && code) {
        if (const auto measurand = measurandOf(*code)) {
            quantity = measurand->quantity;
            physicalUnit = measurand->unit;
            const std::string reading = "measurand code " + std::to_string(*code) + " read as " + quantity +
                                        (physicalUnit.empty() ? "" : " in " + physicalUnit);
            notes.push_back(measurand->verified ? reading + ", as checked against a real sensor"
                                                : reading + " by the published list's order, which is inferred "
                                                            "beyond codes 0 and 5");
            if (physicalUnit.empty()) notes.push_back("the published list names no unit for this measurand");
        } else {
            notes.push_back("measurand code " + std::to_string(*code) +
                            " is not in the published list; the physical unit is not known");
        }
    } else if (physicalUnit.empty()) {
        notes.push_back("the template states no physical unit");
    }
    std::string electricalUnit = minElec->unit.empty() ? electricalUnitOf(templateId) : minElec->unit;
    if (electricalUnit.empty()) return refused("the template names no unit for its electrical range");

    auto scale = Scale::twoPoint(minElec->value, maxElec->value, minPhys->value, maxPhys->value, electricalUnit,
                                 physicalUnit);
    if (!scale)
        return refused("the ranges give no line: electrical " + numberText(minElec->value) + " to " +
                       numberText(maxElec->value) + ", physical " + numberText(minPhys->value) + " to " +
                       numberText(maxPhys->value));
    scale->describe(quantity, {}, std::move(notes));
    if (conditions.excitationV) scale->drivenWith(*conditions.excitationV);
    return {std::move(scale), {}};
}

std::optional<ThermocoupleType> thermocoupleTypeOf(const types::ValueRecord& value, std::string& problem) {
    const auto* entry = std::get_if<types::EnumValue>(&value.value);
    if (entry == nullptr) {
        problem = "%TCType is not an enumeration";
        return std::nullopt;
    }
    // The template's own text where it names a type ("K", "Type K"),
    // otherwise the standard's order of the codes, B E J K N R S T.
    const std::string_view text = entry->text;
    if (!text.empty()) {
        const char letter = text.back();
        const std::size_t at = kThermocoupleLetters.find(letter);
        const bool oneWord = text.size() == 1 || text[text.size() - 2] == ' ';
        if (at != std::string_view::npos && oneWord) return static_cast<ThermocoupleType>(at);
        problem = "unknown thermocouple type \"" + std::string(text) + "\"";
        return std::nullopt;
    }
    if (entry->index < kThermocoupleLetters.size()) return static_cast<ThermocoupleType>(entry->index);
    problem = "unknown thermocouple type (code " + std::to_string(entry->index) + ")";
    return std::nullopt;
}

ScaleFound thermocoupleScale(Lookup& lookup, const ChannelConditions& conditions) {
    const types::ValueRecord* typeValue = lookup.find("%TCType");
    if (typeValue == nullptr) return refused("a thermocouple scale needs %TCType, which the template does not decode");
    std::string problem;
    const auto type = thermocoupleTypeOf(*typeValue, problem);
    if (!type) return refused(problem);
    Scale scale = Scale::thermocouple(*type, conditions.coldJunctionC);
    std::vector<ScaleConstant> rated;
    for (const char* name : {"%MinPhysVal", "%MaxPhysVal"})
        if (auto value = lookup.number(name)) rated.push_back({std::string(name).substr(1), value->value, value->unit});
    scale.describe("temperature", std::move(rated),
                   {"the template's cold-junction bit is not used: what its values mean is not established"});
    return {std::move(scale), {}};
}

ScaleFound rtdScale(Lookup& lookup, const ChannelConditions& conditions) {
    std::optional<double> r0 = conditions.r0Ohm;
    std::vector<std::string> notes;
    if (lookup.find("%R0") != nullptr) {
        const auto stated = lookup.number("%R0");
        if (stated && !r0) r0 = stated->value;
        else if (stated && stated->value != *r0)
            notes.push_back("R0 given by the caller; the template states " + numberText(stated->value) + " Ohm");
    }
    if (!r0) return refused("an RTD scale needs R0, which the template does not decode; give it");
    auto scale = Scale::rtd(*r0);
    if (!scale) return refused("R0 must be a positive number of ohms, not " + numberText(*r0));
    notes.push_back("how the template states its curve is not established; the IEC 60751 curve is assumed");
    scale->describe("temperature", {}, std::move(notes));
    return {std::move(scale), {}};
}

ScaleFound thermistorScale(Lookup& lookup) {
    const auto a = lookup.number("%SteinhartHartA");
    const auto b = lookup.number("%SteinhartHartB");
    const auto c = lookup.number("%SteinhartHartC");
    if (!a || !b || !c) return refused(lookup.reason("a thermistor scale"));
    auto scale = Scale::thermistor(a->value, b->value, c->value);
    if (!scale)
        return refused("Steinhart-Hart coefficients B and C must be positive for the equation to be invertible");
    return {std::move(scale), {}};
}

}  // namespace

ScaleFound scaleOfTemplate(const decode::TemplateRecord& record, const ChannelConditions& conditions) {
    if (record.manufacturerKey != 0)
        return refused("template " + record.keyText() + " is a manufacturer's: no standard scaling applies");
    Lookup lookup{record, {}};
    switch (record.templateId) {
    case 25:
    case 27: return sensitivityScale(lookup);
    case 30:
    case 31:
    case 32:
    case 33:
    case 34:
    case 35: return twoPointScale(lookup, record.templateId, conditions);
    case 36: return thermocoupleScale(lookup, conditions);
    case 37: return rtdScale(lookup, conditions);
    case 38: return thermistorScale(lookup);
    default:
        return refused("template " + std::to_string(record.templateId) + " has no scaling this library knows");
    }
}

}  // namespace teds::scale
