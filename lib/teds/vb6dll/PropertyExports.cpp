// Property queries: counting by name, and selecting one value by position
// or by name with its occurrence, handed out as VARIANT and BSTR values.

#include <cstdint>
#include <memory>
#include <utility>

#include "Firewall.hpp"
#include "HandleTable.hpp"
#include "PropertyDelivery.hpp"

using teds::types::ValueRecord;
using teds::vb6dll::deliverNothing;
using teds::vb6dll::deliverProperty;
using teds::vb6dll::guarded;
using teds::vb6dll::handleTable;
using teds::vb6dll::PropertyOutputs;
using teds::vb6dll::selectTemplate;

namespace {

// Records are reached through pointers into the handle, never copied, so a
// caller that reads a large template value by value pays for no copies; the
// handle's position and name indexes make each read one step.

using LiveTeds = std::shared_ptr<const MirxDecodedTeds>;

// The handle's TEDS, null for a handle that is refused; held by the export
// until its outputs are written, since the selected record lives inside it.
LiveTeds lookUp(DecodedTeds handle) {
    return guarded<LiveTeds>(nullptr, [&] { return handleTable().teds(handle); });
}

const ValueRecord* recordAt(const MirxDecodedTeds* teds, std::uint32_t templateIndex, std::int32_t propertyIndex) {
    if (!selectTemplate(teds, templateIndex)) return nullptr;
    // A negative position is far past the last record, as its unsigned value says.
    return teds->positions().at(templateIndex, static_cast<std::uint32_t>(propertyIndex));
}

const ValueRecord* recordNamed(const MirxDecodedTeds* teds, std::uint32_t templateIndex, const char* name,
                               std::uint32_t occurrence) {
    if (!selectTemplate(teds, templateIndex) || !name) return nullptr;
    return teds->names().at(templateIndex, name, occurrence);
}

// A selection that throws has selected nothing: the caller still gets the
// failure outputs.
template <class Select>
std::int32_t answer(Select&& select, const PropertyOutputs& out) {
    const ValueRecord* record = guarded<const ValueRecord*>(nullptr, std::forward<Select>(select));
    return guarded<std::int32_t>(0, [&] { return record ? deliverProperty(*record, out) : deliverNothing(out); });
}

}  // namespace

int32_t TEDS_VB6_CALL MirxTEDS_GetPropertyCount(DecodedTeds handle, uint32_t templateIndex, const char* name) {
    return guarded<std::int32_t>(0, [&]() -> std::int32_t {
        const LiveTeds teds = handleTable().teds(handle);
        if (!selectTemplate(teds.get(), templateIndex) || !name) return 0;
        return teds->names().count(templateIndex, name);
    });
}

int32_t TEDS_VB6_CALL MirxTEDS_HasProperty(DecodedTeds teds, uint32_t templateIndex, const char* name) {
    return MirxTEDS_GetPropertyCount(teds, templateIndex, name) > 0 ? 1 : 0;
}

int32_t TEDS_VB6_CALL MirxTEDS_GetPropertyByIdx(DecodedTeds teds, uint32_t templateIndex, int32_t propertyIndex,
                                               BSTR* name, VARIANT* value, BSTR* unit) {
    return MirxTEDS_GetPropertyByIdxEx(teds, templateIndex, propertyIndex, name, value, unit, nullptr, nullptr);
}

int32_t TEDS_VB6_CALL MirxTEDS_GetPropertyByIdxEx(DecodedTeds handle, uint32_t templateIndex, int32_t propertyIndex,
                                                 BSTR* name, VARIANT* value, BSTR* unit, VARIANT* unitArray,
                                                 int32_t* status) {
    const PropertyOutputs out{name, value, unit, unitArray, status};
    const LiveTeds teds = lookUp(handle);
    return answer([&] { return recordAt(teds.get(), templateIndex, propertyIndex); }, out);
}

int32_t TEDS_VB6_CALL MirxTEDS_GetPropertyValue(DecodedTeds teds, uint32_t templateIndex, const char* name,
                                               uint32_t occurrence, VARIANT* value, BSTR* unit) {
    return MirxTEDS_GetPropertyValueEx(teds, templateIndex, name, occurrence, value, unit, nullptr, nullptr);
}

int32_t TEDS_VB6_CALL MirxTEDS_GetPropertyValueEx(DecodedTeds handle, uint32_t templateIndex, const char* name,
                                                 uint32_t occurrence, VARIANT* value, BSTR* unit,
                                                 VARIANT* unitArray, int32_t* status) {
    const PropertyOutputs out{nullptr, value, unit, unitArray, status};
    const LiveTeds teds = lookUp(handle);
    return answer([&] { return recordNamed(teds.get(), templateIndex, name, occurrence); }, out);
}
