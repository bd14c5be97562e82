// Scaling through a decoded handle: the scale a template states, one value
// converted, and an array of samples converted in one call.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>

#include "Firewall.hpp"
#include "HandleTable.hpp"
#include "TextOutput.hpp"

using teds::api::ChannelConditions;
using teds::api::ScaleFound;
using teds::vb6dll::guarded;
using teds::vb6dll::handleTable;
using teds::vb6dll::releaseText;
using teds::vb6dll::writeByteText;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

using LiveTeds = std::shared_ptr<const MirxDecodedTeds>;

// Visual Basic has no optional Double that is missing, so the caller says
// with flags which of the three values it knows; a value without its flag
// is not known, whatever it holds.
ChannelConditions conditionsOf(std::int32_t given, double coldJunctionC, double excitationV, double r0Ohm) {
    ChannelConditions conditions;
    if (given & MIRX_TEDS_COLD_JUNCTION) conditions.coldJunctionC = coldJunctionC;
    if (given & MIRX_TEDS_EXCITATION) conditions.excitationV = excitationV;
    if (given & MIRX_TEDS_R0) conditions.r0Ohm = r0Ohm;
    return conditions;
}

// CR LF, so that a Visual Basic caller can show the text as it is, or Split
// it on vbCrLf.
std::string describe(const teds::api::Scale& scale) {
    std::string text;
    const auto line = [&text](const std::string& item) {
        if (!text.empty()) text += "\r\n";
        text += item;
    };
    if (!scale.quantity().empty()) line("quantity: " + scale.quantity());
    for (const teds::scale::ScaleConstant& constant : scale.constants())
        line(constant.name + ": " + teds::api::realText(constant.value) +
             (constant.unit.empty() ? "" : " " + constant.unit));
    for (const std::string& note : scale.notes()) line("note: " + note);
    return text;
}

}  // namespace

int32_t TEDS_VB6_CALL MirxTEDS_GetScale(DecodedTeds handle, uint32_t templateIndex, int32_t given,
                                       double coldJunctionC, double excitationV, double r0Ohm, int32_t* kind,
                                       BSTR* inputUnit, BSTR* outputUnit, double* validLow, double* validHigh,
                                       BSTR* text) {
    const auto failed = [&] {
        releaseText(inputUnit);
        releaseText(outputUnit);
        releaseText(text);
        return std::int32_t{0};
    };
    return guarded<std::int32_t>(0, [&]() -> std::int32_t {
        const LiveTeds teds = handleTable().teds(handle);
        if (!teds) return failed();
        const ScaleFound found =
            teds->teds.scale(templateIndex, conditionsOf(given, coldJunctionC, excitationV, r0Ohm));
        if (!found.scale) {
            failed();
            writeByteText(text, found.reason);
            return 0;
        }
        const teds::api::Scale& scale = *found.scale;
        const teds::scale::ValueRange range = scale.validInput();
        if (kind) *kind = static_cast<std::int32_t>(scale.kind());
        writeByteText(inputUnit, scale.inputUnit());
        writeByteText(outputUnit, scale.outputUnit());
        if (validLow) *validLow = range.low;
        if (validHigh) *validHigh = range.high;
        writeByteText(text, describe(scale));
        return 1;
    });
}

int32_t TEDS_VB6_CALL MirxTEDS_ScaleValue(DecodedTeds handle, uint32_t templateIndex, int32_t given,
                                         double coldJunctionC, double excitationV, double r0Ohm, int32_t inverse,
                                         double value, double* result, BSTR* reason) {
    return guarded<std::int32_t>(0, [&]() -> std::int32_t {
        const LiveTeds teds = handleTable().teds(handle);
        if (!teds) {
            releaseText(reason);
            return 0;
        }
        const ScaleFound found =
            teds->teds.scale(templateIndex, conditionsOf(given, coldJunctionC, excitationV, r0Ohm));
        teds::scale::Conversion converted{kNaN, found.reason};
        if (found.scale) converted = inverse ? found.scale->toElectrical(value) : found.scale->toPhysical(value);
        if (result) *result = converted.ok() ? converted.value : kNaN;
        writeByteText(reason, converted.refusal);
        return converted.ok() ? 1 : 0;
    });
}

int32_t TEDS_VB6_CALL MirxTEDS_ScaleArray(DecodedTeds handle, uint32_t templateIndex, int32_t given,
                                         double coldJunctionC, double excitationV, double r0Ohm, int32_t inverse,
                                         const double* values, double* results, int32_t count) {
    return guarded<std::int32_t>(0, [&]() -> std::int32_t {
        if (!values || !results || count <= 0) return 0;
        const LiveTeds teds = handleTable().teds(handle);
        if (!teds) return 0;
        const ScaleFound found =
            teds->teds.scale(templateIndex, conditionsOf(given, coldJunctionC, excitationV, r0Ohm));
        const auto size = static_cast<std::size_t>(count);
        if (!found.scale) {
            // Every value fails alike, so the caller's array holds no stale
            // numbers that look converted.
            std::fill_n(results, size, kNaN);
            return 0;
        }
        const std::size_t converted = inverse ? found.scale->toElectrical(values, results, size)
                                              : found.scale->toPhysical(values, results, size);
        return static_cast<std::int32_t>(converted);
    });
}
