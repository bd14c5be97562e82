#include "PropertyDelivery.hpp"

#include <string>

#include "TextOutput.hpp"
#include "ValueOutput.hpp"

namespace teds::vb6dll {

namespace {

void clearVariant(VARIANT* variant) {
    if (variant) VariantClear(variant);
}

// Every value a template declares hands out a unit text, empty when it
// names no unit; a struct array and a select's case have none. An empty text
// leaves the variable null all the same.
void deliverUnit(const api::PropertyView& property, const PropertyOutputs& out) {
    if (!property.enumeration.empty()) {
        writeByteText(out.unit, "enum ", property.enumeration);
        return;
    }
    const api::Unit* unit = property.unit;
    writeByteText(out.unit, unit ? std::string_view(unit->text) : std::string_view());
    if (out.unitArray && unit && unit->unitType != api::UnitType::Invalid) {
        // The caller may pass one variable as both value and unit array: it
        // then holds the value by now, which is released before the array
        // takes its place.
        clearVariant(out.unitArray);
        writeUnitArray(*out.unitArray, *unit);
    }
}

}  // namespace

// Outputs are written in a fixed order (value, unit text, unit array, name)
// and each one releases what its variable holds first, so a variable passed
// for two outputs ends with the later one and leaks nothing.
std::int32_t deliverProperty(const api::PropertyView& property, const PropertyOutputs& out) {
    clearVariant(out.value);
    clearVariant(out.unitArray);
    if (out.status) *out.status = 0;

    if (out.value) writeValue(*out.value, property.value);
    deliverUnit(property, out);
    writeByteText(out.name, property.name);
    return 1;
}

std::int32_t deliverNothing(const PropertyOutputs& out) {
    releaseText(out.name);
    releaseText(out.unit);
    return 0;
}

}  // namespace teds::vb6dll
