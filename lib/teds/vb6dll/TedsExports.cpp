// The TEDS handle: decoding an image, freeing it, the Basic TEDS and the
// list of decoded templates.

#include <cstdint>
#include <memory>

#include "Firewall.hpp"
#include "Handles.hpp"
#include "teds/decode/TemplateChain.hpp"
#include "teds/decode/ValueLookup.hpp"

using teds::vb6dll::guarded;
using teds::vb6dll::selectTemplate;

DecodedTeds TEDS_VB6_CALL MirxTEDS_ParseTEDS(TedsParser parser, const uint8_t* image, int32_t length) {
    return guarded<DecodedTeds>(nullptr, [&]() -> DecodedTeds {
        if (!parser) return nullptr;
        auto teds = std::make_unique<MirxDecodedTeds>();
        // A negative length comes from a caller's mistake, not from an image
        // of four gigabytes: it reads as an empty image.
        const std::uint32_t bytes = length > 0 ? static_cast<std::uint32_t>(length) : 0;
        teds::decode::decodeTeds(parser->registry, image, bytes, nullptr, teds->decoded);
        return teds.release();
    });
}

void TEDS_VB6_CALL MirxTEDS_FreeTEDS(DecodedTeds teds) {
    guarded([&] { delete teds; });
}

int32_t TEDS_VB6_CALL MirxTEDS_GetBasicTEDS(DecodedTeds teds, int32_t* manufacturerId, int32_t* modelNumber,
                                           char* versionLetter, int32_t* versionNumber, int32_t* serialNumber) {
    return guarded<std::int32_t>(0, [&]() -> std::int32_t {
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

int32_t TEDS_VB6_CALL MirxTEDS_GetNumberTemplates(DecodedTeds teds) {
    return guarded<std::int32_t>(0, [&]() -> std::int32_t {
        return teds ? static_cast<std::int32_t>(teds->decoded.templates.size()) : 0;
    });
}

int32_t TEDS_VB6_CALL MirxTEDS_GetTemplateInfo(DecodedTeds teds, uint32_t templateIndex, int32_t* manufacturerKey,
                                              int32_t* templateId) {
    return guarded<std::int32_t>(0, [&]() -> std::int32_t {
        const teds::decode::TemplateRecord* record = selectTemplate(teds, templateIndex);
        if (!record) return 0;
        if (manufacturerKey) *manufacturerKey = record->manufacturerKey;
        if (templateId) *templateId = record->templateId;
        return 1;
    });
}

int32_t TEDS_VB6_CALL MirxTEDS_GetTotalPropertyCount(DecodedTeds teds, uint32_t templateIndex) {
    return guarded<std::int32_t>(0, [&]() -> std::int32_t {
        return selectTemplate(teds, templateIndex) ? teds->positions().count(templateIndex) : 0;
    });
}
