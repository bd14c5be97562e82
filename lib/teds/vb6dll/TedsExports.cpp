// The TEDS handle: decoding an image, freeing it, the Basic TEDS and the
// list of decoded templates.

#include <cstdint>
#include <memory>
#include <utility>

#include "Firewall.hpp"
#include "HandleTable.hpp"
#include "teds/decode/TemplateChain.hpp"
#include "teds/decode/ValueLookup.hpp"

using teds::vb6dll::guarded;
using teds::vb6dll::handleTable;
using teds::vb6dll::selectTemplate;

DecodedTeds TEDS_VB6_CALL MirxTEDS_ParseTEDS(TedsParser parser, const uint8_t* image, int32_t length) {
    return guarded<DecodedTeds>(nullptr, [&]() -> DecodedTeds {
        auto live = handleTable().parser(parser);
        if (!live) return nullptr;
        auto teds = std::make_shared<MirxDecodedTeds>();
        // A negative length comes from a caller's mistake, not from an image
        // of four gigabytes: it reads as an empty image.
        const std::uint32_t bytes = length > 0 ? static_cast<std::uint32_t>(length) : 0;
        teds::decode::decodeTeds(live->registry, image, bytes, nullptr, teds->decoded);
        teds->parser = std::move(live);
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
        const teds::decode::BasicTeds& basic = teds->decoded.basic;
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
        return teds ? static_cast<std::int32_t>(teds->decoded.templates.size()) : 0;
    });
}

int32_t TEDS_VB6_CALL MirxTEDS_GetTemplateInfo(DecodedTeds handle, uint32_t templateIndex, int32_t* manufacturerKey,
                                              int32_t* templateId) {
    return guarded<std::int32_t>(0, [&]() -> std::int32_t {
        const auto teds = handleTable().teds(handle);
        const teds::decode::TemplateRecord* record = selectTemplate(teds.get(), templateIndex);
        if (!record) return 0;
        if (manufacturerKey) *manufacturerKey = record->manufacturerKey;
        if (templateId) *templateId = record->templateId;
        return 1;
    });
}

int32_t TEDS_VB6_CALL MirxTEDS_GetTotalPropertyCount(DecodedTeds handle, uint32_t templateIndex) {
    return guarded<std::int32_t>(0, [&]() -> std::int32_t {
        const auto teds = handleTable().teds(handle);
        return selectTemplate(teds.get(), templateIndex) ? teds->positions().count(templateIndex) : 0;
    });
}
