// The TEDS handle: decoding an image, freeing it, the Basic TEDS and the
// list of decoded templates.

#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "Firewall.hpp"
#include "HandleTable.hpp"

using teds::vb6dll::guarded;
using teds::vb6dll::handleTable;

DecodedTeds TEDS_VB6_CALL MirxTEDS_ParseTEDS(TedsParser parser, const uint8_t* image, int32_t length) {
    return guarded<DecodedTeds>(nullptr, [&]() -> DecodedTeds {
        const auto live = handleTable().parser(parser);
        if (!live) return nullptr;
        // A negative length comes from a caller's mistake, not from an image
        // of four gigabytes: it reads as an empty image.
        const std::size_t bytes = image != nullptr && length > 0 ? static_cast<std::size_t>(length) : 0;
        auto teds = std::make_shared<MirxDecodedTeds>(
            MirxDecodedTeds{teds::api::Teds(live->templates, teds::container::imageFromBytes(
                                                                 std::vector<std::uint8_t>(image, image + bytes)))});
        return handleTable().addTeds(parser, std::move(teds));
    });
}

void TEDS_VB6_CALL MirxTEDS_FreeTEDS(DecodedTeds teds) {
    guarded([&] { handleTable().removeTeds(teds); });
}

int32_t TEDS_VB6_CALL MirxTEDS_GetBasicTEDS(DecodedTeds handle, int32_t* manufacturerId, int32_t* modelNumber,
                                           char* versionLetter, int32_t* versionNumber, int32_t* serialNumber) {
    return guarded<std::int32_t>(0, [&]() -> std::int32_t {
        const auto teds = handleTable().teds(handle);
        if (!teds) return 0;
        const teds::api::BasicTeds basic = teds->teds.basic();
        if (manufacturerId) *manufacturerId = basic.manufacturerId;
        if (modelNumber) *modelNumber = basic.modelNumber;
        if (versionLetter) *versionLetter = basic.versionLetter;
        if (versionNumber) *versionNumber = basic.versionNumber;
        if (serialNumber) *serialNumber = basic.serialNumber;
        return 1;
    });
}

int32_t TEDS_VB6_CALL MirxTEDS_GetNumberTemplates(DecodedTeds handle) {
    return guarded<std::int32_t>(0, [&]() -> std::int32_t {
        const auto teds = handleTable().teds(handle);
        return teds ? teds->teds.templateCount() : 0;
    });
}

int32_t TEDS_VB6_CALL MirxTEDS_GetTemplateInfo(DecodedTeds handle, uint32_t templateIndex, int32_t* manufacturerKey,
                                              int32_t* templateId) {
    return guarded<std::int32_t>(0, [&]() -> std::int32_t {
        const auto teds = handleTable().teds(handle);
        // Unsigned, so a negative index from the caller is out of range.
        const std::optional<teds::api::TemplateInfo> info =
            teds ? teds->teds.templateAt(templateIndex) : std::nullopt;
        if (!info) return 0;
        if (manufacturerKey) *manufacturerKey = info->manufacturerKey;
        if (templateId) *templateId = info->templateId;
        return 1;
    });
}

int32_t TEDS_VB6_CALL MirxTEDS_GetTotalPropertyCount(DecodedTeds handle, uint32_t templateIndex) {
    return guarded<std::int32_t>(0, [&]() -> std::int32_t {
        const auto teds = handleTable().teds(handle);
        return teds ? teds->teds.valueCount(templateIndex) : 0;
    });
}
