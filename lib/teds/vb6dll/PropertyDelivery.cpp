#include "PropertyDelivery.hpp"

#include <string>

#include "TextOutput.hpp"
#include "ValueOutput.hpp"
#include "teds/tdl/nodes/Enum.hpp"
#include "teds/tdl/nodes/EnumProperty.hpp"
#include "teds/tdl/nodes/PhysicalUnit.hpp"
#include "teds/tdl/nodes/Property.hpp"

namespace teds::vb6dll {

namespace {

// The unit type of a unit that has no meaningful numbers to hand out.
constexpr std::int32_t kInvalidUnitType = 7;

void clearVariant(VARIANT* variant) {
    if (variant) VariantClear(variant);
}

void deliverUnit(const tdl::nodes::Node* node, const PropertyOutputs& out) {
    if (!node) {
        releaseText(out.unit);
        return;
    }
    if (const auto* property = tdl::nodes::nodeAs<tdl::nodes::Property>(*node)) {
        const tdl::nodes::PhysicalUnit* physical = property->unit;
        writeByteText(out.unit, physical ? std::string_view(physical->unit.text) : std::string_view());
        if (out.unitArray && physical && physical->unit.unitType != kInvalidUnitType)
            writeUnitArray(*out.unitArray, physical->unit);
        return;
    }
    if (const auto* enumProperty = tdl::nodes::nodeAs<tdl::nodes::EnumProperty>(*node)) {
        // The loader binds the declared name; an unbound property still names it.
        const std::string& enumName = enumProperty->enumRef ? enumProperty->enumRef->name : enumProperty->enumName;
        writeByteText(out.unit, "enum ", enumName);
        return;
    }
    releaseText(out.unit);
}

}  // namespace

std::int32_t deliverProperty(const decode::ValueRecord& record, const PropertyOutputs& out) {
    clearVariant(out.value);
    clearVariant(out.unitArray);
    if (out.status) *out.status = 0;

    if (out.value) writeValue(*out.value, record);
    deliverUnit(record.node, out);
    writeByteText(out.name, record.name);
    return 1;
}

std::int32_t deliverNothing(const PropertyOutputs& out) {
    releaseText(out.name);
    releaseText(out.unit);
    return 0;
}

}  // namespace teds::vb6dll
