// Property queries: counting by name, and selecting one value by position
// or by name with its occurrence, handed out as VARIANT and BSTR values.

#include <cstdint>
#include <memory>
#include <optional>
#include <utility>

#include "Firewall.hpp"
#include "HandleTable.hpp"
#include "PropertyDelivery.hpp"

using teds::api::PropertyView;
using teds::vb6dll::deliverNothing;
using teds::vb6dll::deliverProperty;
using teds::vb6dll::guarded;
using teds::vb6dll::handleTable;
using teds::vb6dll::PropertyOutputs;

namespace {

// A view names the value and refers to the template's texts without
// copying them; the handle's position and name indexes make each read one
// step.

using LiveTeds = std::shared_ptr<const MirxDecodedTeds>;
using Selected = std::optional<PropertyView>;

// The handle's TEDS, null for a handle that is refused; held by the export
// until its outputs are written, since the selected view points into it.
LiveTeds lookUp(DecodedTeds handle) {
    return guarded<LiveTeds>(nullptr, [&] { return handleTable().teds(handle); });
}

// A selection that throws has selected nothing: the caller still gets the
// failure outputs.
template <class Select>
std::int32_t answer(Select&& select, const PropertyOutputs& out) {
    const Selected view = guarded<Selected>(std::nullopt, std::forward<Select>(select));
    return guarded<std::int32_t>(0, [&] { return view ? deliverProperty(*view, out) : deliverNothing(out); });
}

}  // namespace

int32_t TEDS_VB6_CALL MirxTEDS_GetPropertyCount(DecodedTeds handle, uint32_t templateIndex, const char* name) {
    return guarded<std::int32_t>(0, [&]() -> std::int32_t {
        const LiveTeds teds = handleTable().teds(handle);
        return teds && name ? teds->teds.countNamed(templateIndex, name) : 0;
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
    // A negative position is far past the last value, as its unsigned value says.
    const auto position = static_cast<std::uint32_t>(propertyIndex);
    return answer([&] { return teds ? teds->teds.valueAt(templateIndex, position) : Selected(); }, out);
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
    return answer(
        [&] { return teds && name ? teds->teds.valueNamed(templateIndex, name, occurrence) : Selected(); }, out);
}
